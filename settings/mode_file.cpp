#include "settings/mode_file.h"

#include "state/app_state.h"
#include "platform/text.h"
#include "settings/install_folder.h"

namespace vl {

const char kModeFileName[] = "Velora.cfg";

namespace {

constexpr uint32_t kHiddenAttributes =
    kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;
// The file holds one short description; a first line longer than this is not
// ours, and a file of megabytes must not be read whole.
constexpr size_t kMaxLineBytes = 1000;

void EnterInstallFolder(AppState& app) {
  const std::string folder = GetInstallFolder(app);
  if (!folder.empty()) app.sys.files->SetCurrentDirectoryA(folder);
}

}  // namespace

bool WriteModeFile(AppState& app) {
  IFiles& files = *app.sys.files;
  EnterInstallFolder(app);
  uint32_t attributes = files.GetFileAttributesA(kModeFileName);
  if (attributes != kInvalidFileAttributes)
    files.SetFileAttributesA(kModeFileName, attributes & ~kHiddenAttributes);
  if (!files.WriteTextFile(kModeFileName, app.m_strActiveConfig)) return false;
  attributes = files.GetFileAttributesA(kModeFileName);
  if (attributes != kInvalidFileAttributes)
    // NORMAL is only valid alone, so it goes once other bits are set.
    files.SetFileAttributesA(kModeFileName,
                             (attributes & ~kFileAttributeNormal) | kHiddenAttributes);
  return true;
}

void ReadModeFile(AppState& app) {
  EnterInstallFolder(app);
  std::string line;
  if (!app.sys.files->ReadFirstLine(kModeFileName, kMaxLineBytes, &line)) return;
  // The description is a C string in the file; whatever follows a NUL is not
  // part of it.
  const size_t nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
  app.m_strActiveConfig = line;
}

void ShowStartupNotice(AppState& app) {
  std::string& config = app.m_strActiveConfig;
  config = TrimBlanks(config);
  if (config.empty()) return;
  app.sys.boxes->Show(0, "   Your current active configuration is:\n\n   " + config + "\n\n",
                      app.m_strProductName, kMbOk | kMbIconInformation);
}

}  // namespace vl
