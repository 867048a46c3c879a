#include "app/startup.h"

#include "platform/registry.h"
#include "settings/install_folder.h"
#include "state/app_state.h"
#include "tuning/restore.h"

namespace vl {

const char kFrameworkProfileKey[] =
    "Software\\Local AppWizard-Generated Applications\\VELORA";

std::string ParseVerb(const std::string& commandLine) {
  const size_t slash = commandLine.find('/');
  if (slash == std::string::npos) return std::string();
  std::string verb = commandLine.substr(slash + 1);
  // Lower-casing as the C locale does it: only A to Z change, bytes above 127
  // are left as they are.
  for (char& c : verb)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return verb;
}

void OpenFrameworkProfile(IRegistry& reg) {
  // The window framework keeps its recent-file list and print-preview setting
  // here and creates the sections when it loads them; the program itself
  // stores nothing in them.
  for (const char* section : {"Recent File List", "Settings"}) {
    ScopedKey key(reg);
    reg.CreateKey(kHkeyCurrentUser, std::string(kFrameworkProfileKey) + "\\" + section,
                  kRegOptionNonVolatile, kKeyRead | kKeyWrite, key.Receive());
  }
}

StartupAction RunStartup(AppState& app, const std::string& commandLine) {
  OpenFrameworkProfile(*app.sys.registry);
  app.m_strProductName = "Velora 2001";
  app.m_strVersion = "v5.1";
  app.m_settings.SetBaseKey(kSettingsBaseKey);
  app.m_strCommand = ParseVerb(commandLine);

  if (app.m_strCommand == "uninstall") {
    app.m_eWinVersion = DetectWindowsVersion(*app.sys.registry);
    RestoreDefaultsNt(*app.sys.registry, app.m_tuning, app.m_eWinVersion);
    RestoreDefaults9x(*app.sys.registry, app.m_tuning);
    return StartupAction::End;
  }

  const std::string folder = GetInstallFolder(app.m_settings, *app.sys.boxes, app.m_strProductName);
  if (folder.empty()) return StartupAction::End;
  // The mode file is opened by its bare name for the rest of the run.
  app.sys.files->SetCurrentDirectoryA(folder);
  // Start-up goes on without the companion: the tuning does not need it.
  app.sys.shell->ShellExecuteA(0, "open", "vldetect.exe", "/auto", "", kSwShowNormal);

  if (app.m_strCommand == "about") return StartupAction::AboutBox;
  if (app.m_strCommand == "ping") return StartupAction::PingDialog;
  return StartupAction::MainWindow;
}

}  // namespace vl
