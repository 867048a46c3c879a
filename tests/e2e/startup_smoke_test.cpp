#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

TEST(StartupSmoke, MainWindowOpensWithItsCaption) {
  SeedInstallFolder(InstallDir());
  Proc p = Start("");
  HWND frame = WaitForWindow(p.pid(), "VeloraFrame", nullptr);
  ASSERT_NE(nullptr, frame);
  EXPECT_EQ(" Velora 2001 v5.1", Text(frame));
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitExit());
}

}  // namespace
}  // namespace e2e
