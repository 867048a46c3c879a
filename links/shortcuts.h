// The main window's shortcuts into Windows: the Control Panel applets and
// the maker's support web page.
#pragma once
#include <string>

namespace vl {
struct AppState;

// The rundll32 command line of a Control Panel command (ID_CPL_SYSTEM ...
// ID_CPL_NETWORK); the Network applet depends on the Windows family. Empty
// for any other command.
std::string ControlPanelCommandLine(int commandId, const std::string& osName);
// Starts the applet; failures are silent.
void RunControlPanel(AppState& app, int commandId);

// The support page with the main menu's ref tag.
std::string WebSupportUrl(const AppState& app);
// Opens it through the shell, without fallback or message.
void OpenWebSupport(AppState& app);

}  // namespace vl
