// The form view's tray record under Wine: an icon that the test adds under
// the view's window and identifier 100 is animated by timer messages and
// removed by timer 12 and by the end of the view.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "tray/tray.h"
#include "res/resource.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

class TrayIcon : public ::testing::Test {
 protected:
  void SetUp() override { RemoveFile(InstallDir() + "Velora.cfg"); }

  static NOTIFYICONDATAA Record(HWND view) {
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = view;
    nid.uID = ID_TRAY_ICON;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_TRAY_NOTIFY_MSG;
    nid.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    lstrcpyA(nid.szTip, "added by the test");
    return nid;
  }
  // True while the shell still has the icon: only an icon it has can be
  // modified.
  static bool ShellHas(HWND view) {
    NOTIFYICONDATAA nid = Record(view);
    nid.uFlags = NIF_TIP;
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
  }
};

TEST_F(TrayIcon, TimersKeepTheIconAndTimerTwelveOrTheEndOfTheViewRemovesIt) {
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.form);
  // The view's own start-up is over.
  ASSERT_TRUE(IdlePass(run.frame));
  HWND view = run.form;

  NOTIFYICONDATAA nid = Record(view);
  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
  for (WPARAM id = 1; id <= 5; ++id) SendMessageA(view, WM_TIMER, id, 0);
  EXPECT_TRUE(ShellHas(view));
  SendMessageA(view, WM_TIMER, vl::kTrayRemoveTimer, 0);
  EXPECT_FALSE(ShellHas(view));
  // After removal the animation goes on without bringing the icon back.
  SendMessageA(view, WM_TIMER, 1, 0);
  EXPECT_FALSE(ShellHas(view));

  ASSERT_TRUE(Shell_NotifyIconA(NIM_ADD, &nid));
  PostMessageA(run.frame, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(run.proc.WaitExit(kWait, &code));
  EXPECT_EQ(0u, code);
  EXPECT_FALSE(ShellHas(view));
  Shell_NotifyIconA(NIM_DELETE, &nid);
}

}  // namespace
}  // namespace e2e
