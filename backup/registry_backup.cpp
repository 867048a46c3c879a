#include "backup/registry_backup.h"

#include <vector>

#include "settings/install_folder.h"
#include "state/app_state.h"

namespace vl {

const char kBackupDoneText[] = "Registry backup was successfully created. ";
const char kBackupNtText[] =
    "In order to backup your registry file we recommend\n"
    "to use Windows NT build in backup program (RDISK).\n"
    "\n"
    "1. Insert a floppy disk into drive A: \n"
    "2. Go to 'Start'  -> 'Run'\n"
    "3. Write  rdisk.exe /s  and press Enter key.\n"
    "4. Answer 'Yes' to the 'Make An Emergency Repair Disk' question.  ";
const char kBackup2000Text[] =
    "In order to backup your registry file we recommend\n"
    "to use Windows 2000 build in backup program.\n"
    "\n"
    "1. Click Start, point to Programs, point to Accessories,\n"
    "    point to System Tools, and then click Backup.\n"
    "2. On the Tools menu, click Create an Emergency Repair Disk.\n"
    "3. Insert a blank, formatted disk in drive A, and then click OK.";
const char kBackupXpText[] =
    "In order to backup your registry file we recommend\n"
    "to use Windows build in System Restore.\n"
    "\n"
    "1. On Windows XP click Start, point to All Programs, point to Accessories,\n"
    "    point to System Tools, and then click System Restore.\n"
    "    On Windows Vista and later open System Properties\n"
    "    and click the System Protection tab.\n"
    "2. Choose Create a restore point (on Windows XP, then click Next;\n"
    "    on Windows Vista and later, click Create).\n"
    "3. Type a description for the restore point, and then click Create.";

const char* BackupAdvice(const std::string& osName, WindowsVersion version) {
  // Windows 2000 and later keep the Windows key that makes the OS name "NT",
  // so the version tells them apart; the Emergency Repair Disk went with XP.
  if (version >= WindowsVersion::WindowsXp) return kBackupXpText;
  if (version == WindowsVersion::Windows2000 || osName == "2000") return kBackup2000Text;
  return kBackupNtText;
}

namespace {
const char kBackupFolderName[] = "RegBak";
const char* const kRegistryFiles[] = {"system.dat", "user.dat"};
constexpr uint32_t kReadOnlyHiddenSystem =
    kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;

bool IsFolder(IFiles& files, const std::string& path) {
  uint32_t attributes = files.GetFileAttributesA(path);
  return attributes != kInvalidFileAttributes && (attributes & kFileAttributeDirectory);
}

void Tell(AppState& app, WindowHandle frame, const std::string& text, unsigned icon) {
  app.sys.boxes->Show(frame, text, app.m_strProductName, kMbOk | icon);
}

// Replaces an earlier copy. Copies of the registry files keep the read-only,
// hidden and system attributes of their sources, which would make the next
// copy fail.
void RemoveEarlierCopy(IFiles& files, const std::string& copy) {
  uint32_t attributes = files.GetFileAttributesA(copy);
  if (attributes == kInvalidFileAttributes || (attributes & kFileAttributeDirectory)) return;
  files.SetFileAttributesA(copy, attributes & ~kReadOnlyHiddenSystem);
  files.DeleteFileA(copy);
}
}  // namespace

std::string BackupBaseFolder(AppState& app) {
  // The installer stores where the program lives; RegBak goes beside it.
  std::string installFolder =
      GetInstallFolder(app.m_settings, *app.sys.boxes, app.m_strProductName);
  size_t slash = installFolder.rfind('\\');
  return slash == std::string::npos ? std::string() : installFolder.substr(0, slash);
}

void RunRegistryBackup(AppState& app, WindowHandle frame) {
  IFiles& files = *app.sys.files;
  std::string base = BackupBaseFolder(app);
  // Without a stored folder there is no sound place for the copies; the user
  // has been asked to re-install.
  if (base.empty()) return;
  files.SetCurrentDirectoryA(base);
  std::string folder = base + "\\" + kBackupFolderName;
  files.CreateDirectoryA(folder);

  if (app.m_strOsName == "NT" || app.m_strOsName == "2000") {
    Tell(app, frame, BackupAdvice(app.m_strOsName, app.m_eWinVersion), kMbIconInformation);
    return;
  }

  const std::string failed = "Registry backup was not created.\n\n";
  if (!IsFolder(files, folder)) {
    Tell(app, frame, failed + "The folder " + folder + " could not be created. ",
         kMbIconExclamation);
    return;
  }
  std::string windows = files.GetWindowsDirectoryA();
  if (windows.empty() || windows.back() != '\\') windows += '\\';
  std::string notCopied;
  for (const char* name : kRegistryFiles) {
    std::string source = windows + name;
    std::string copy = folder + "\\" + name;
    RemoveEarlierCopy(files, copy);
    if (!files.CopyFileA(source, copy, false))
      notCopied += "The file " + source + " could not be copied to " + folder + ".\n";
  }
  if (notCopied.empty())
    Tell(app, frame, kBackupDoneText, kMbIconInformation);
  else
    Tell(app, frame, failed + notCopied, kMbIconExclamation);
}

}  // namespace vl
