#include "settings/install_folder.h"

#include "state/app_state.h"
#include "res/maker.h"
#include "platform/text.h"

namespace vl {

std::string GetInstallFolder(AppState& app) {
  std::string folder = app.m_settings.ReadString("Install", "Folder", "", false);
  // A folder of nothing but blanks names no folder at all; treating it like a
  // missing one tells the user to reinstall instead of working in some other
  // directory.
  if (!IsBlankText(folder)) {
    if (folder.back() != '\\') folder += '\\';
    return folder;
  }
  const std::string text = "Missing registry information, please re-install " +
                           app.m_strProductName +
                           ".\nFor more information contact our support team <" +
                           kMakerSupportMail + ">.";
  app.sys.boxes->Show(0, text, app.m_strProductName + " - Severe Error",
                      kMbIconHand | kMbSystemModal);
  return std::string();
}

}  // namespace vl
