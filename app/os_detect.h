// Which Windows this is, as the OS name text the rest of the program reads.
#pragma once
#include <string>

namespace vl {
class IRegistry;

// "NT", "2000", or the last two characters of the Windows 9x product name.
std::string DetectOsName(IRegistry& reg);
// The NT family: the OS name is exactly "NT" or "2000".
bool IsNtFamily(const std::string& osName);

}  // namespace vl
