// An application state wired to the in-memory platform, for tests of the
// start-up and settings code.
#pragma once
#include <string>

#include "app/app_state.h"
#include "platform/mem/mem_registry.h"
#include "platform/mem/mem_system.h"

namespace vl {

inline const std::string kSettingsKey = "HKLM\\SOFTWARE\\Norwick Ltd\\Velora 2001";
inline const std::string kInstallKey = kSettingsKey + "\\Install";

struct MemApp {
  MemApp() {
    app.sys.registry = &reg;
    app.sys.boxes = &boxes;
    app.sys.shell = &shell;
    app.sys.files = &files;
    app.m_settings.Attach(&reg);
    app.m_settings.SetBaseKey("SOFTWARE\\Norwick Ltd\\Velora 2001");
    app.m_strProductName = "Velora 2001";
    app.m_strVersion = "v5.1";
  }

  MemRegistry reg;
  MemMessageBoxes boxes;
  MemShell shell;
  MemFiles files;
  AppState app;
};

}  // namespace vl
