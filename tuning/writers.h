// The writers of the two Windows families.
#pragma once
#include "state/os_detect.h"
#include "platform/registry.h"
#include "tuning/tuning_choices.h"
#include "tuning/write_report.h"

namespace vl {
class IFormControls;

// Writes `settings` for every adapter of the kind `configMode` selects. The
// manual modes whose kind was chosen take the form's Custom lists and check
// boxes at write time (`form` may be null: nothing is checked then). The
// settings keep what was written, the receive window and keep-alive time
// included.
WriteReport ApplySettings9x(IRegistry& reg, int configMode, TuningSettings& settings,
                            const IFormControls* form);
// The NT family by the version's roads: NT 4's service keys, the Interfaces
// keys and the dial-up line of Windows 2000 and later, and no receive window
// where Windows sizes it itself.
WriteReport ApplySettingsNt(IRegistry& reg, int configMode, TuningSettings& settings,
                            const IFormControls* form,
                            WindowsVersion version = WindowsVersion::Nt4);

}  // namespace vl
