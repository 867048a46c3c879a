// Placeholder until the settings issue lands.
#include "settings/mode_file.h"

#include "app/app_state.h"

namespace vl {
const char kModeFileName[] = "Velora.cfg";
bool WriteModeFile(AppState&) { return false; }
void ReadModeFile(AppState&) {}
void ShowStartupNotice(AppState&) {}
}  // namespace vl
