// Restoring the Windows defaults of both families.
#pragma once
#include "tuning/write_report.h"

namespace vl {
struct AppState;

WriteReport RestoreDefaults9x(AppState& app, bool confirm);
WriteReport RestoreDefaultsNt(AppState& app, bool confirm);

}  // namespace vl
