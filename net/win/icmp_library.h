// icmp.dll's three calls, loaded at run time from the system directory: the
// companion's keep-alive echo and the MTU finder's probe both send through
// them. Every Windows from 95 and NT 4 on has them; from XP on icmp.dll hands
// them to the IP helper.
#pragma once
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include "platform/win/system_library.h"

namespace vl {

class IcmpLibrary {
 public:
  IcmpLibrary();
  IcmpLibrary(const IcmpLibrary&) = delete;
  IcmpLibrary& operator=(const IcmpLibrary&) = delete;

  // All three calls were found; none is used otherwise.
  bool loaded() const { return sendEcho != nullptr; }

  HANDLE(WINAPI* createFile)() = nullptr;
  BOOL(WINAPI* closeHandle)(HANDLE) = nullptr;
  DWORD(WINAPI* sendEcho)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID, DWORD,
                          DWORD) = nullptr;

 private:
  ScopedModule module_;
};

}  // namespace vl
