#include "app/status_panes.h"

#include "state/app_state.h"

namespace vl {

std::string UpdateModePaneText(AppState& app) {
  std::string text = ModePaneText(app.m_nConfigMode);
  if (!text.empty()) app.m_strModePaneText = text;
  return text;
}

std::string OsPaneText(const std::string& osName) {
  return (osName == "2000" ? " OS: Windows " : "   OS: Windows ") + osName + " ";
}

}  // namespace vl
