#include "links/shortcuts.h"

#include "state/app_state.h"
#include "state/os_detect.h"
#include "res/maker.h"
#include "res/resource.h"

namespace vl {

std::string ControlPanelCommandLine(int commandId, const std::string& osName) {
  const char* applet = nullptr;
  switch (commandId) {
    case ID_CPL_SYSTEM: applet = "Sysdm.cpl"; break;
    case ID_CPL_INTERNET: applet = "Inetcpl.cpl"; break;
    case ID_CPL_MODEMS: applet = "Modem.cpl"; break;
    case ID_CPL_NETWORK: applet = IsNtFamily(osName) ? "Ncpa.cpl" : "Netcpl.cpl"; break;
    default: return std::string();
  }
  return std::string("rundll32.exe shell32.dll,Control_RunDLL ") + applet;
}

void RunControlPanel(AppState& app, int commandId) {
  std::string line = ControlPanelCommandLine(commandId, app.m_strOsName);
  if (!line.empty()) app.sys.shell->WinExec(line, kSwShowNormal);
}

std::string WebSupportUrl(const AppState& app) {
  return std::string(kMakerWebSite) + "?ref=" + app.m_strProductName + " " + app.m_strVersion +
         "_mainmenu";
}

void OpenWebSupport(AppState& app) {
  app.sys.shell->ShellExecuteA(0, "open", WebSupportUrl(app), "", "", kSwShowNormal);
}

}  // namespace vl
