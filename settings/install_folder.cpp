#include "settings/install_folder.h"

#include "platform/text.h"
#include "res/maker.h"
#include "settings/settings_store.h"

namespace vl {

std::string GetInstallFolder(SettingsStore& settings, IMessageBoxes& boxes,
                             const std::string& productName) {
  std::string folder = settings.ReadString("Install", "Folder", "", false);
  // A folder of nothing but blanks names no folder at all; treating it like a
  // missing one tells the user to reinstall instead of working in some other
  // directory.
  if (!IsBlankText(folder)) {
    if (folder.back() != '\\') folder += '\\';
    return folder;
  }
  const std::string text = "Missing registry information, please re-install " + productName +
                           ".\nFor more information contact our support team <" +
                           kMakerSupportMail + ">.";
  boxes.Show(0, text, productName + " - Severe Error", kMbIconHand | kMbSystemModal);
  return std::string();
}

}  // namespace vl
