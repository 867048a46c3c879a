// Entry of the Wine test bench. Besides the tests it serves the demo:
//   e2e_tests.exe --seed=win98 C:\Folder\    seeds the Windows 98 machine and
//                                             the install-folder value
//   e2e_tests.exe --wait-window CAPTION MS    waits for a visible top-level
//                                             window, prints "left top right
//                                             bottom" of it
//   e2e_tests.exe --close-window CAPTION MS   closes that window and waits
//                                             until it is gone
// Each of them exits with 0 on success and 1 otherwise.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/e2e/harness.h"

namespace {

HWND FindVisible(const char* caption) {
  HWND w = FindWindowA(nullptr, caption);
  return w && IsWindowVisible(w) ? w : nullptr;
}

int WaitWindow(const char* caption, int timeoutMs) {
  HWND found = nullptr;
  if (!e2e::WaitUntil([&] { return (found = FindVisible(caption)) != nullptr; }, timeoutMs))
    return 1;
  // Let it paint before anyone looks at it.
  e2e::Settle(found, 500);
  RECT r;
  GetWindowRect(found, &r);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return 0;
}

int CloseWindow(const char* caption, int timeoutMs) {
  HWND w = FindWindowA(nullptr, caption);
  if (!w) return 1;
  PostMessageA(w, WM_CLOSE, 0, 0);
  return e2e::WaitGone(w, timeoutMs) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && std::strcmp(argv[1], "--seed=win98") == 0) {
    e2e::SeedWin98Machine();
    e2e::SeedInstallFolder(argv[2]);
    return 0;
  }
  if (argc >= 4 && std::strcmp(argv[1], "--wait-window") == 0)
    return WaitWindow(argv[2], std::atoi(argv[3]));
  if (argc >= 4 && std::strcmp(argv[1], "--close-window") == 0)
    return CloseWindow(argv[2], std::atoi(argv[3]));
  testing::InitGoogleTest(&argc, argv);
  e2e::PrepareInstallDir();
  return RUN_ALL_TESTS();
}
