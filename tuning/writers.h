// The writers of the two Windows families.
#pragma once
#include "tuning/write_report.h"

namespace vl {
struct AppState;

WriteReport ApplySettings9x(AppState& app);
WriteReport ApplySettingsNt(AppState& app);

}  // namespace vl
