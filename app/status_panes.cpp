#include "app/status_panes.h"

#include "state/app_state.h"
#include "tuning/tuning_choices.h"

namespace vl {

std::string ModePaneText(int configMode) {
  switch (configMode) {
    case ModeAutoDialUp: return " Automatic Mode - Dial-Up ";
    case ModeAutoLan: return "   Automatic Mode - LAN";
    case ModeManual: return "           Manual Mode";
    case ModeManualDialUp: return "   Manual Mode - Dial-Up";
    case ModeManualLan: return "      Manual Mode - LAN";
    default: return std::string();
  }
}

std::string UpdateModePaneText(AppState& app) {
  std::string text = ModePaneText(app.m_nConfigMode);
  if (!text.empty()) app.m_strModePaneText = text;
  return text;
}

std::string OsPaneText(const std::string& osName) {
  return (osName == "2000" ? " OS: Windows " : "   OS: Windows ") + osName + " ";
}

}  // namespace vl
