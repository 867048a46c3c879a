// Placeholder until the tuning engine lands.
#include "tuning/restore.h"

namespace vl {
WriteReport RestoreDefaults9x(AppState&, bool) { return {}; }
WriteReport RestoreDefaultsNt(AppState&, bool) { return {}; }
}  // namespace vl
