// The install folder, known only through the settings store.
#pragma once
#include <string>

namespace vl {
struct AppState;

// The "Folder" value of the "Install" subkey with exactly one trailing
// backslash, or empty text after the Severe Error message.
std::string GetInstallFolder(AppState& app);

}  // namespace vl
