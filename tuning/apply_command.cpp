// Placeholder until the Apply command lands.
#include "tuning/apply_command.h"

namespace vl {
void RunApplyCommand(AppState&, IApplyUi&, bool) {}
}  // namespace vl
