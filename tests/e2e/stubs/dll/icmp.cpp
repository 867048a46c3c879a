// Stand-in for the system's icmp.dll, for the Find Largest MTU suite only:
// Wine's echo ignores Don't Fragment, so it cannot play a path of its own.
// This one plays the path the test sets in the registry
// (HKLM\SOFTWARE\Velora Test Bench, value "Path"): a number, the MTU of a
// router on the way, which answers "too big" to larger packets with Don't
// Fragment set; "silent", a host that never answers. Nothing goes out on any
// network. Each echo request is one line of icmp.log in the program's folder
// ("1500 DF"), so that a test can count them. The test puts it in place of
// Wine's icmp.dll in the system directory and removes it again.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win/scoped_handle.h"
#include "tests/e2e/stubs/dll/bench_value.h"

// Plain C and Win32 only, as the rasapi32.dll stand-in: it loads into the
// program under test, whose runtime it should not bring a second of.
namespace {

HANDLE const kHandle = reinterpret_cast<HANDLE>(0x1C3F);
const BYTE kRouter[4] = {127, 0, 0, 2};
const DWORD kWireOverhead = 28;  // the IP and ICMP headers around the data

// One line of icmp.log beside the program that loaded us.
void Log(DWORD size, bool df) {
  char path[MAX_PATH + 16] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = std::strrchr(path, '\\');
  if (!slash) return;
  std::strcpy(slash + 1, "icmp.log");
  char line[32];
  const int length = std::snprintf(line, sizeof line, "%lu%s\n", static_cast<unsigned long>(size),
                                   df ? " DF" : "");
  vl::ScopedHandle file{CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
  if (!file) return;
  DWORD written = 0;
  WriteFile(file.get(), line, static_cast<DWORD>(length), &written, nullptr);
}

}  // namespace

extern "C" __declspec(dllexport) HANDLE WINAPI IcmpCreateFile() { return kHandle; }

extern "C" __declspec(dllexport) BOOL WINAPI IcmpCloseHandle(HANDLE handle) {
  return handle == kHandle;
}

extern "C" __declspec(dllexport) DWORD WINAPI
    IcmpSendEcho(HANDLE handle, IPAddr destination, LPVOID request, WORD requestSize,
                 PIP_OPTION_INFORMATION options, LPVOID replyBuffer, DWORD replySize,
                 DWORD timeout) {
  if (handle != kHandle || !replyBuffer || replySize < sizeof(ICMP_ECHO_REPLY) + requestSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const bool df = options && (options->Flags & IP_FLAG_DF);
  const DWORD size = requestSize + kWireOverhead;
  Log(size, df);
  char path[32];
  ReadBenchValue("Path", path, sizeof path);  // "1400", "silent" or empty
  if (std::strcmp(path, "silent") == 0) {
    Sleep(timeout);
    SetLastError(IP_REQ_TIMED_OUT);
    return 0;
  }
  auto* reply = static_cast<ICMP_ECHO_REPLY*>(replyBuffer);
  std::memset(reply, 0, sizeof *reply);
  const DWORD mtu = static_cast<DWORD>(std::atoi(path));
  if (df && mtu && size > mtu) {
    std::memcpy(&reply->Address, kRouter, 4);
    reply->Status = IP_PACKET_TOO_BIG;
    return 1;
  }
  reply->Address = destination;
  reply->Status = IP_SUCCESS;
  reply->RoundTripTime = 1;
  reply->DataSize = requestSize;
  reply->Data = reply + 1;
  std::memcpy(reply + 1, request, requestSize);
  return 1;
}
