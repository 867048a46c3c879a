// The Registry Backup command.
#pragma once
#include <string>

#include "platform/system.h"

namespace vl {
struct AppState;

extern const char kBackupDoneText[];  // the Windows 9x family, after the copies
extern const char kBackupNtText[];    // OS name "NT"
extern const char kBackup2000Text[];  // OS name "2000"

// The folder that holds RegBak: the install folder, without its trailing
// backslash. Empty when no install folder is stored (the user has then been
// told to re-install).
std::string BackupBaseFolder(AppState& app);

// `frame` owns the message boxes. The wait cursor is the caller's.
void RunRegistryBackup(AppState& app, WindowHandle frame);

}  // namespace vl
