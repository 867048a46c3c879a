#include "settings/mode_file.h"

#include "platform/text.h"

namespace vl {

const char kModeFileName[] = "Velora.cfg";

namespace {

constexpr uint32_t kHiddenAttributes =
    kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;
// The file holds one short description; a first line longer than this is not
// ours, and a file of megabytes must not be read whole.
constexpr size_t kMaxLineBytes = 1000;

void EnterInstallFolder(IFiles& files, const std::string& folder) {
  if (!folder.empty()) files.SetCurrentDirectoryA(folder);
}

}  // namespace

bool WriteModeFile(IFiles& files, const std::string& installFolder,
                   const std::string& activeConfig) {
  EnterInstallFolder(files, installFolder);
  uint32_t attributes = files.GetFileAttributesA(kModeFileName);
  if (attributes != kInvalidFileAttributes)
    files.SetFileAttributesA(kModeFileName, attributes & ~kHiddenAttributes);
  if (!files.WriteTextFile(kModeFileName, activeConfig)) return false;
  attributes = files.GetFileAttributesA(kModeFileName);
  if (attributes != kInvalidFileAttributes)
    // NORMAL is only valid alone, so it goes once other bits are set.
    files.SetFileAttributesA(kModeFileName,
                             (attributes & ~kFileAttributeNormal) | kHiddenAttributes);
  return true;
}

void ReadModeFile(IFiles& files, const std::string& installFolder, std::string* activeConfig) {
  EnterInstallFolder(files, installFolder);
  std::string line;
  if (!files.ReadFirstLine(kModeFileName, kMaxLineBytes, &line)) return;
  // The description is a C string in the file; whatever follows a NUL is not
  // part of it.
  const size_t nul = line.find('\0');
  if (nul != std::string::npos) line.resize(nul);
  *activeConfig = line;
}

void ShowStartupNotice(IMessageBoxes& boxes, const std::string& productName,
                       std::string* activeConfig) {
  std::string& config = *activeConfig;
  config = TrimBlanks(config);
  if (config.empty()) return;
  boxes.Show(0, "   Your current active configuration is:\n\n   " + config + "\n\n", productName,
             kMbOk | kMbIconInformation);
}

}  // namespace vl
