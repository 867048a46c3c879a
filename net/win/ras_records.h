// The first layouts of the RAS records, which every Windows from 95 on
// accepts; the newer ones are refused by the older systems.
#pragma once
#include <windows.h>

namespace vl {

struct RasConn400 {
  DWORD dwSize;
  HANDLE hrasconn;
  CHAR szEntryName[256 + 1];
  CHAR szDeviceType[16 + 1];
  CHAR szDeviceName[128 + 1];
};

struct RasConnStatus400 {
  DWORD dwSize;
  DWORD rasconnstate;  // RASCONNSTATE
  DWORD dwError;
  CHAR szDeviceType[16 + 1];
  CHAR szDeviceName[128 + 1];
};

}  // namespace vl
