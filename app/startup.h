// The portable half of start-up: the verb, the uninstall path, the install
// folder, the companion. The Win32 shell shows what it decides.
#pragma once
#include <string>

namespace vl {
struct AppState;
class IRegistry;

// Where the window framework keeps its own profile, below HKEY_CURRENT_USER.
extern const char kFrameworkProfileKey[];

// The text after the first "/" of the lower-cased command line, or empty.
std::string ParseVerb(const std::string& commandLine);

// Creates the framework's profile sections, as loading its standard profile
// settings does.
void OpenFrameworkProfile(IRegistry& reg);

enum class StartupAction { End, AboutBox, PingDialog, MainWindow };

// Start-up up to the point where a window is needed: what to show next.
StartupAction RunStartup(AppState& app, const std::string& commandLine);

}  // namespace vl
