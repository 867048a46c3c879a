// The texts of the status bar's mode and OS panes.
#pragma once
#include <string>

#include "state/choices.h"  // ModePaneText

namespace vl {
struct AppState;

// The text for the current mode; a mode's text is also kept in
// m_strModePaneText, which holds the last one while no mode is chosen.
std::string UpdateModePaneText(AppState& app);

std::string OsPaneText(const std::string& osName);

}  // namespace vl
