// Stand-in for the system's dial-up networking, for the companion's Wine
// suite only: one connection whose state the test sets in the registry
// (HKLM\SOFTWARE\Velora Test Bench, value "DialUp": "connected",
// "connecting", anything else or nothing for none). The test puts it in
// place of Wine's rasapi32.dll in the system directory, where the companion
// loads it from, and removes it again.
#include <windows.h>

#include <cstring>

#include "tests/e2e/stubs/dll/bench_value.h"
#include "net/win/ras_records.h"

using vl::RasConn400;
using vl::RasConnStatus400;

namespace {

const DWORD kRasConnected = 0x2000;
const DWORD kRasOpenPort = 0;
const DWORD kErrorInvalidSize = 632;
const DWORD kErrorBufferTooSmall = 603;
HANDLE const kConnection = reinterpret_cast<HANDLE>(0x5EED);

// "connected", "connecting" or empty.
void ReadState(char* state, DWORD size) { ReadBenchValue("DialUp", state, size); }

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI
    RasEnumConnectionsA(RasConn400* connections, DWORD* bytes, DWORD* count) {
  if (!connections || !bytes || !count || connections->dwSize != sizeof(RasConn400))
    return kErrorInvalidSize;
  char state[32];
  ReadState(state, sizeof state);
  *count = 0;
  if (std::strcmp(state, "connected") != 0 && std::strcmp(state, "connecting") != 0) return 0;
  if (*bytes < sizeof(RasConn400)) {
    *bytes = sizeof(RasConn400);
    return kErrorBufferTooSmall;
  }
  connections->hrasconn = kConnection;
  std::strcpy(connections->szEntryName, "Velora Test Provider");
  std::strcpy(connections->szDeviceType, "modem");
  std::strcpy(connections->szDeviceName, "Velora Test Modem");
  *count = 1;
  return 0;
}

extern "C" __declspec(dllexport) DWORD WINAPI
    RasGetConnectStatusA(HANDLE connection, RasConnStatus400* status) {
  if (!status || status->dwSize != sizeof(RasConnStatus400)) return kErrorInvalidSize;
  if (connection != kConnection) return ERROR_INVALID_HANDLE;
  char state[32];
  ReadState(state, sizeof state);
  if (std::strcmp(state, "connected") == 0)
    status->rasconnstate = kRasConnected;
  else if (std::strcmp(state, "connecting") == 0)
    status->rasconnstate = kRasOpenPort;
  else
    return ERROR_INVALID_HANDLE;
  status->dwError = 0;
  std::strcpy(status->szDeviceType, "modem");
  std::strcpy(status->szDeviceName, "Velora Test Modem");
  return 0;
}
