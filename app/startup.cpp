#include "app/startup.h"

#include <cctype>

#include "app/app_state.h"
#include "settings/install_folder.h"
#include "tuning/restore.h"

namespace vl {

std::string ParseVerb(const std::string& commandLine) {
  std::string lower(commandLine);
  for (auto& c : lower) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 128) c = static_cast<char>(std::tolower(u));
  }
  size_t slash = lower.find('/');
  return slash == std::string::npos ? std::string() : lower.substr(slash + 1);
}

StartupAction RunStartup(AppState& app, const std::string& commandLine) {
  app.m_strProductName = "Velora 2001";
  app.m_strVersion = "v5.1";
  app.m_settings.SetBaseKey("SOFTWARE\\Norwick Ltd\\Velora 2001");
  app.m_strCommand = ParseVerb(commandLine);
  if (app.m_strCommand == "uninstall") {
    RestoreDefaultsNt(app, false);
    RestoreDefaults9x(app, false);
    return StartupAction::End;
  }
  std::string folder = GetInstallFolder(app);
  if (folder.empty()) return StartupAction::End;
  app.sys.files->SetCurrentDirectoryA(folder);
  app.sys.shell->ShellExecuteA(0, "open", "vldetect.exe", "/auto", "", kSwShowNormal);
  if (app.m_strCommand == "about") return StartupAction::AboutBox;
  if (app.m_strCommand == "ping") return StartupAction::PingDialog;
  return StartupAction::MainWindow;
}

}  // namespace vl
