// The application on the in-memory platform, as start-up leaves it: every
// system interface wired, the settings store on the program's key, the
// product name and version set. Tests add the registry keys, files and
// answers they need.
#pragma once
#include <string>
#include <vector>

#include "state/app_state.h"
#include "platform/mem/mem_registry.h"
#include "platform/mem/mem_system.h"

namespace vl {

inline const std::string kSettingsKey = "HKLM\\SOFTWARE\\Norwick Ltd\\Velora 2001";
inline const std::string kInstallKey = kSettingsKey + "\\Install";
inline constexpr uint32_t kRhs =
    kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;

struct MemApp {
  MemApp() {
    app.sys = Platform{&reg, &boxes, &shell, &files, &pacer, &restart, &clock, &ipInterfaces};
    app.m_settings.Attach(&reg);
    app.m_settings.SetBaseKey("SOFTWARE\\Norwick Ltd\\Velora 2001");
    app.m_strProductName = "Velora 2001";
    app.m_strVersion = "v5.1";
  }
  MemApp(const MemApp&) = delete;
  MemApp& operator=(const MemApp&) = delete;

  // The install folder the installer records, with the folder itself made
  // the current directory, as start-up leaves it.
  void Install(const std::string& folder = "C:\\Velora") {
    reg.PutSz(kInstallKey, "Folder", folder);
    files.AddDirectory(folder);
    files.SetCurrentDirectoryA(folder);
  }

  // The texts of the boxes shown so far, in order.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const ShownBox& b : boxes.shown) texts.push_back(b.text);
    return texts;
  }
  bool Shown(const std::string& text) const {
    for (const ShownBox& b : boxes.shown)
      if (b.text == text) return true;
    return false;
  }

  MemRegistry reg;
  MemMessageBoxes boxes;
  MemShell shell;
  MemFiles files;
  MemPacer pacer;
  MemRestart restart;
  MemClock clock;
  MemIpInterfaces ipInterfaces;
  AppState app;
};

}  // namespace vl
