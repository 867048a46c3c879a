#include "links/help.h"

#include "app/app_state.h"
#include "settings/install_folder.h"

namespace vl {

const char kHelpFileName[] = "velora.hlp";
const char kHelpWelcome[] = "Welcome to Velora\xAE 2001";
const char kHelpConfiguration[] = "Configuration Options";
const char kHelpPing[] = "Ping Configuration";

void HelpTopics(AppState& app, const std::string& keyword) {
  std::string folder = GetInstallFolder(app);
  if (folder.empty()) return;
  // The help program shows its own messages for a missing file or keyword.
  app.sys.shell->WinHelpA(0, folder + kHelpFileName, kHelpKey, keyword);
}

}  // namespace vl
