// The portable half of start-up: the verb, the uninstall path, the install
// folder, the companion. The Win32 shell shows what it decides.
#pragma once
#include <string>

namespace vl {
struct AppState;

// The text after the first "/" of the lower-cased command line, or empty.
std::string ParseVerb(const std::string& commandLine);

enum class StartupAction { End, AboutBox, PingDialog, MainWindow };

// Steps 3 to 11 of start-up up to the point where a window is needed.
StartupAction RunStartup(AppState& app, const std::string& commandLine);

}  // namespace vl
