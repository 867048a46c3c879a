// Which Windows this is, as the OS name text the rest of the program reads.
#pragma once
#include <string>

namespace vl {
struct AppState;

void DetectOsName(AppState& app);
// The NT family: the OS name is exactly "NT" or "2000".
bool IsNtFamily(const std::string& osName);

}  // namespace vl
