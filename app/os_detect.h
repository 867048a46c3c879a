// Which Windows this is, as the OS name text the rest of the program reads.
#pragma once
#include <string>

namespace vl {
class IRegistry;

// "NT", "2000", or the last two characters of the Windows 9x product name.
std::string DetectOsName(IRegistry& reg);
// The NT family: the OS name is exactly "NT" or "2000".
bool IsNtFamily(const std::string& osName);
// Windows Vista and later (version 6 and up of the NT family, by the version
// the registry gives) size the TCP receive window themselves and ignore the
// values that set it.
bool TunesReceiveWindowItself(IRegistry& reg, const std::string& osName);

}  // namespace vl
