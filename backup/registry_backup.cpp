// Placeholder until the backup issue lands.
#include "backup/registry_backup.h"

namespace vl {
void RunRegistryBackup(AppState&, WindowHandle) {}
}  // namespace vl
