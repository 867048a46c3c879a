// Placeholder until the settings issue lands.
#include "settings/install_folder.h"

#include "app/app_state.h"

namespace vl {
std::string GetInstallFolder(AppState& app) {
  std::string f = app.m_settings.ReadString("Install", "Folder", "", false);
  if (!f.empty() && f.back() != '\\') f += '\\';
  return f;
}
}  // namespace vl
