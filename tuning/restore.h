// Restoring the Windows defaults of both families.
#pragma once
#include "state/os_detect.h"
#include "platform/registry.h"
#include "tuning/tuning_choices.h"
#include "tuning/write_report.h"

namespace vl {
struct AppState;

// Puts back the defaults for every adapter of the family, without a word (the
// uninstall run restores both families so). The settings keep the default
// receive window and keep-alive time.
WriteReport RestoreDefaults9x(IRegistry& reg, TuningSettings& settings);
// On Windows 2000 and later also the dial-up line's MTU (`version`).
WriteReport RestoreDefaultsNt(IRegistry& reg, TuningSettings& settings,
                              WindowsVersion version = WindowsVersion::Nt4);

// The command of the main window: asks first, restores the defaults of the
// running family and tells the outcome.
WriteReport RunRestoreCommand(AppState& app);

// The texts of the command.
extern const char kRestoreQuestion[];
extern const char kRestoreDone[];
extern const char kRestoreFailed[];

}  // namespace vl
