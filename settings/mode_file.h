// The mode file "Velora.cfg" in the install folder and the start-up notice.
#pragma once
#include <string>

namespace vl {
struct AppState;

extern const char kModeFileName[];  // "Velora.cfg"

// Records m_strActiveConfig in the mode file (attributes cleared, written,
// read-only + hidden + system set again). False when the file could not be
// written.
bool WriteModeFile(AppState& app);
// Loads m_strActiveConfig from the first line of the mode file, when it opens.
void ReadModeFile(AppState& app);
// Trims m_strActiveConfig and, when it is not empty, shows "   Your current
// active configuration is:..." with no owner.
void ShowStartupNotice(AppState& app);

}  // namespace vl
