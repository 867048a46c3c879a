// The texts of the status bar's mode and OS panes.
#pragma once
#include <string>

namespace vl {
struct AppState;

// The mode pane's text for a configuration mode; empty for no mode.
std::string ModePaneText(int configMode);
// The text for the current mode; a mode's text is also kept in
// m_strModePaneText, which holds the last one while no mode is chosen.
std::string UpdateModePaneText(AppState& app);

std::string OsPaneText(const std::string& osName);

}  // namespace vl
