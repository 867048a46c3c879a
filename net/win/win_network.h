// The companion's network on Win32. Everything it calls is optional on the
// system and loaded at run time from the system directory: rasapi32.dll
// (dial-up networking), iphlpapi.dll (Windows 98, NT 4 SP4 and later),
// icmp.dll, and ws2_32.dll or wsock32.dll for name lookups. A missing piece
// answers as "nothing there".
#pragma once
#include <windows.h>

#include "platform/win/system_library.h"
#include "net/network.h"
#include "net/win/icmp_library.h"

namespace vl {

class WinNetwork : public INetwork {
 public:
  WinNetwork();
  ~WinNetwork() override;
  WinNetwork(const WinNetwork&) = delete;
  WinNetwork& operator=(const WinNetwork&) = delete;

  DialUpState DialUp() override;
  bool QueryAddresses(ConnectionAddresses* addresses) override;
  bool QueryLanAddresses(std::vector<std::string>* addresses) override;
  // Called from one ping thread at a time; Winsock is loaded on first use,
  // once a connection is known to be up.
  bool Lookup(const std::string& name, Ipv4* address) override;
  EchoResult Echo(const Ipv4& address, unsigned timeoutMs) override;

 private:
  struct Procs;
  // Freed last to first: Winsock, ICMP, the IP helper, RAS.
  ScopedModule ras_;
  ScopedModule ipHelper_;
  IcmpLibrary icmp_;
  ScopedModule winsock_;
  bool winsockTried_ = false;
  Procs* procs_;
};

}  // namespace vl
