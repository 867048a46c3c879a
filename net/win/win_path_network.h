// The MTU finder's path on Win32: the companion's network (RAS, the IP
// helper, Winsock, loaded at run time as it loads them) for the line, the
// addresses and the lookups, plus icmp.dll's echo with Don't Fragment and the
// IP helper's interface MTU. Everything is loaded from the system directory;
// a missing piece answers as "nothing there".
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <string>
#include <vector>

#include "net/path_network.h"
#include "platform/win/system_library.h"
#include "net/win/icmp_library.h"
#include "net/win/win_network.h"

namespace vl {

class WinPathNetwork : public IPathNetwork {
 public:
  WinPathNetwork();
  WinPathNetwork(const WinPathNetwork&) = delete;
  WinPathNetwork& operator=(const WinPathNetwork&) = delete;

  DialUpState DialUp() override { return net_.DialUp(); }
  bool QueryAddresses(ConnectionAddresses* addresses) override {
    return net_.QueryAddresses(addresses);
  }
  bool QueryLanAddresses(std::vector<std::string>* addresses) override {
    return net_.QueryLanAddresses(addresses);
  }
  // One thread at a time: the dialog's before a probe, then the probe's.
  bool Lookup(const std::string& name, Ipv4* address) override {
    return net_.Lookup(name, address);
  }
  EchoResult Echo(const Ipv4& address, unsigned timeoutMs) override {
    return net_.Echo(address, timeoutMs);
  }

  IcmpHandle IcmpCreateFile() override;
  bool IcmpCloseHandle(IcmpHandle handle) override;
  unsigned long IcmpSendEcho(IcmpHandle handle, const Ipv4& destination, uint16_t requestSize,
                             const IpOptionInformation& options, IcmpEchoReply* reply,
                             unsigned timeoutMs, unsigned long* lastError) override;
  unsigned InterfaceMtu(const Ipv4& destination) override;

 private:
  WinNetwork net_;
  IcmpLibrary icmp_;
  ScopedModule ipHelper_;
  DWORD(WINAPI* getBestInterface_)(IPAddr, PDWORD) = nullptr;
  DWORD(WINAPI* getIfEntry_)(PMIB_IFROW) = nullptr;
};

}  // namespace vl
