// The real companion vldetect.exe on the Wine bench. The install folder
// normally holds the stand-in that only records its start (stubs/vldetect);
// a suite that needs the real one installs it and puts the stand-in back.
#pragma once
#include <string>

#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"
#include "vldetect/res/vldetect_res.h"

namespace e2e {

inline std::string CompanionExe() { return InstallDir() + "vldetect.exe"; }

// Every top-level window with the companion's title, of any process.
inline std::vector<HWND> CompanionWindows() {
  std::vector<HWND> found;
  for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, kCompanionTitle)) != nullptr;)
    found.push_back(w);
  return found;
}

// Whether exactly `count` companions run, counting one that is still
// starting and has no window yet: waits until so.
inline bool WaitForCompanionCount(size_t count) {
  return WaitUntil([&] { return ProcessesNamed("vldetect.exe").size() == count; });
}

// Closes every companion window the way the uninstaller does, and waits. A
// companion still starting is let finish first: with the window of another
// it ends at once, without one it would stay.
inline void EndCompanions() {
  WaitUntil([] { return ProcessesNamed("vldetect.exe").size() == CompanionWindows().size(); });
  for (HWND w : CompanionWindows()) {
    PostMessageA(w, WM_CLOSE, 0, 0);
    WaitGone(w);
  }
  EndProcessesNamed("vldetect.exe");
}

inline bool InstallRealCompanion() {
  EndCompanions();
  return CopyProgram(BuildDir() + "vldetect.exe", CompanionExe());
}

inline bool RestoreStandInCompanion() {
  EndCompanions();
  return CopyProgram(BuildDir() + "stubs\\vldetect.exe", CompanionExe());
}

// Starts the installed companion as velora.exe does and returns its window.
inline HWND StartCompanion(Proc& companion) {
  companion = Start("/auto", CompanionExe());
  return WaitForWindow(companion.pid(), nullptr, kCompanionTitle, kWait, false);
}

// The companion's status line: what its tray icon's tooltip says.
inline std::string CompanionStatus(HWND companion) {
  return ItemText(companion, IDC_VLDETECT_STATUS);
}

// Waits until the status line reads `expected` (or, with `prefix`, begins
// with it) and returns what it read last.
inline std::string WaitForStatus(HWND companion, const std::string& expected, bool prefix = false,
                                 int timeoutMs = kWait) {
  std::string status;
  WaitUntil(
      [&] {
        status = CompanionStatus(companion);
        return prefix ? status.compare(0, expected.size(), expected) == 0 : status == expected;
      },
      timeoutMs);
  return status;
}

}  // namespace e2e
