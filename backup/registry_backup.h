// The Registry Backup command.
#pragma once
#include <string>

#include "state/os_detect.h"
#include "platform/system.h"

namespace vl {
struct AppState;

extern const char kBackupDoneText[];  // the Windows 9x family, after the copies
extern const char kBackupNtText[];    // Windows NT 4
extern const char kBackup2000Text[];  // Windows 2000 (or the OS name "2000")
extern const char kBackupXpText[];    // Windows XP and later: System Restore
// The advice of the NT family's Windows.
const char* BackupAdvice(const std::string& osName, WindowsVersion version);

// The folder that holds RegBak: the install folder, without its trailing
// backslash. Empty when no install folder is stored (the user has then been
// told to re-install).
std::string BackupBaseFolder(AppState& app);

// `frame` owns the message boxes. The wait cursor is the caller's.
void RunRegistryBackup(AppState& app, WindowHandle frame);

}  // namespace vl
