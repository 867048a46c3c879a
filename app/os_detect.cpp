// Placeholder until the settings issue lands.
#include "app/os_detect.h"

#include "app/app_state.h"

namespace vl {
void DetectOsName(AppState& app) { app.m_strOsName = "NT"; }
bool IsNtFamily(const std::string& osName) { return osName == "NT" || osName == "2000"; }
}  // namespace vl
