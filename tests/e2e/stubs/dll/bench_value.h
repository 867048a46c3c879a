// What the system-DLL stand-ins play is set by the test in the registry:
// text values under HKLM\SOFTWARE\Velora Test Bench.
#pragma once
#include <windows.h>

// The value's text into `text` (`size` bytes with its NUL), or empty text
// where it is absent or no text.
inline void ReadBenchValue(const char* name, char* text, DWORD size) {
  text[0] = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Velora Test Bench", 0, KEY_READ, &key) != 0)
    return;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != 0 ||
      type != REG_SZ)
    text[0] = 0;
  text[size ? size - 1 : 0] = 0;
  RegCloseKey(key);
}
