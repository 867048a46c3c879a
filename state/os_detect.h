// Which Windows this is, as the OS name text the rest of the program reads,
// and, within the NT family, the version that decides where the TCP/IP
// settings live and which of them that Windows still reads.
#pragma once
#include <string>

namespace vl {
class IRegistry;

// "NT", "2000", or the last two characters of the Windows 9x product name.
std::string DetectOsName(IRegistry& reg);
// The NT family: the OS name is exactly "NT" or "2000".
bool IsNtFamily(const std::string& osName);

// The NT versions that differ in what the program writes; each stands for
// itself and every later one up to the next.
enum class WindowsVersion {
  Nt4,          // cards named by "Title", TCP/IP keys under their services
  Windows2000,  // cards named by "Description", TCP/IP keys under Interfaces;
                // dial-up, PPPoE and VPN lines over NdisWan
  WindowsXp,    // XP and Server 2003: as 2000, with System Restore
  Vista,        // Vista and later: the receive window sized by Windows
};
// From the NT CurrentVersion key: "CurrentMajorVersionNumber" where Windows
// keeps one (10 and later, which leave "6.3" in "CurrentVersion"), else
// "CurrentVersion". NT 4 when neither can be read: a 9x machine has no such
// key, and there the version is never asked.
WindowsVersion DetectWindowsVersion(IRegistry& reg);
// Windows Vista and later size the TCP receive window themselves and ignore
// the values that set it.
inline bool SizesReceiveWindowItself(WindowsVersion v) { return v >= WindowsVersion::Vista; }
// Windows 2000 and later run dial-up, PPPoE and VPN lines over NdisWan.
inline bool HasNdisWanLine(WindowsVersion v) { return v >= WindowsVersion::Windows2000; }

}  // namespace vl
