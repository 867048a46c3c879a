// Placeholder until the tuning engine lands.
#include "tuning/writers.h"

namespace vl {
WriteReport ApplySettings9x(AppState&) { return {}; }
WriteReport ApplySettingsNt(AppState&) { return {}; }
}  // namespace vl
