// The running interfaces' MTU through the IP Helper calls of Windows Vista
// and later, looked up at run time so that the program still starts on
// every Windows before them.
#include <winsock2.h>
#include <ws2ipdef.h>
#include <iphlpapi.h>

#include "platform/win/system_library.h"
#include "platform/win/win_platform.h"

namespace vl {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "{4C7FB48D-33EB-4277-A3FB-37D5EF39C990}" as Windows names adapters; ole32
// would parse it too, but the program does not load ole32 for one call.
bool ParseGuid(const std::string& text, GUID* guid) {
  static const char kPattern[] = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
  if (text.size() != sizeof kPattern - 1) return false;
  uint8_t bytes[16] = {};
  int nibble = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (kPattern[i] != 'x') {
      if (text[i] != kPattern[i]) return false;
      continue;
    }
    const int digit = HexDigit(text[i]);
    if (digit < 0) return false;
    bytes[nibble / 2] = static_cast<uint8_t>(bytes[nibble / 2] << 4 | digit);
    ++nibble;
  }
  guid->Data1 = static_cast<unsigned long>(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
  guid->Data2 = static_cast<unsigned short>(bytes[4] << 8 | bytes[5]);
  guid->Data3 = static_cast<unsigned short>(bytes[6] << 8 | bytes[7]);
  for (int i = 0; i < 8; ++i) guid->Data4[i] = bytes[8 + i];
  return true;
}

}  // namespace

long WinIpInterfaces::SetInterfaceMtu(const std::string& guid, uint32_t mtu) {
  using GuidToLuidFn = DWORD(WINAPI*)(const GUID*, NET_LUID*);
  using InitializeFn = VOID(WINAPI*)(MIB_IPINTERFACE_ROW*);
  using EntryFn = DWORD(WINAPI*)(MIB_IPINTERFACE_ROW*);
  ScopedModule ipHelper(LoadSystemLibrary("iphlpapi.dll"));
  GuidToLuidFn guidToLuid;
  InitializeFn initialize;
  EntryFn getEntry, setEntry;
  if (!FindProc(ipHelper.get(), "ConvertInterfaceGuidToLuid", &guidToLuid) ||
      !FindProc(ipHelper.get(), "InitializeIpInterfaceEntry", &initialize) ||
      !FindProc(ipHelper.get(), "GetIpInterfaceEntry", &getEntry) ||
      !FindProc(ipHelper.get(), "SetIpInterfaceEntry", &setEntry))
    return ERROR_NOT_SUPPORTED;
  GUID id;
  if (!ParseGuid(guid, &id)) return ERROR_INVALID_PARAMETER;
  MIB_IPINTERFACE_ROW row;
  initialize(&row);
  row.Family = AF_INET;
  if (DWORD status = guidToLuid(&id, &row.InterfaceLuid)) return static_cast<long>(status);
  if (DWORD status = getEntry(&row)) return static_cast<long>(status);
  row.NlMtu = mtu;
  // Windows takes an IPv4 row back only with no site prefix.
  row.SitePrefixLength = 0;
  return static_cast<long>(setEntry(&row));
}

}  // namespace vl
