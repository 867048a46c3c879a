// Entry of the Wine test bench. Besides the tests it serves the demo and the
// screenshots:
//   e2e_tests.exe --seed=win98 C:\Folder\    seeds the Windows 98 machine and
//                                             the install-folder value
//   e2e_tests.exe --wait-window CAPTION MS [MODE]
//                                             waits for a visible top-level
//                                             window, for the main window
//                                             also for its first idle-time
//                                             updates (with MODE dialup, lan
//                                             or manual: the form put in that
//                                             mode first; with MODE settings:
//                                             Dial-Up, then View > Current
//                                             Settings, whose dialog is the
//                                             window then meant; with MODE
//                                             mtu: manual, then File > Find
//                                             Largest MTU run to its result
//                                             on the host 127.0.0.1, whose
//                                             dialog is then meant), until it
//                                             stands painted on the screen;
//                                             prints "left top right bottom"
//                                             of it
//   e2e_tests.exe --close-window CAPTION MS   closes that window, and first
//                                             the dialogs it owns, and waits
//                                             until it is gone
// Each of them exits with 0 on success and 1 otherwise.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace {

// Prints, under a failure, what the program showed when the wait before it
// timed out.
class UnmetWaitPrinter : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { e2e::ClearUnmetWait(); }
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (!result.failed() || e2e::UnmetWait().empty()) return;
    std::printf("%s\n", e2e::UnmetWait().c_str());
    std::fflush(stdout);
    e2e::ClearUnmetWait();
  }
};

// Every test starts and ends with the pointer away from the program's
// windows, pass or fail: where one test left it, the next would find a
// tooltip or a status-bar text of its own.
class PointerParker : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo&) override { e2e::ParkPointer(); }
  void OnTestEnd(const testing::TestInfo&) override { e2e::ParkPointer(); }
};

// The machines a test seeds change the Windows version Wine reports and its
// cards: every test ends with Wine's own back, pass or fail.
class WineMachineKeeper : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override { e2e::PutBackWineMachine(); }
};

// A suite ends every program it started: one left running would meet the
// next suite (a second companion, a stand-in still writing its log). What is
// left is named as a failure and ended.
class NoProgramLeftRunning : public testing::Environment {
  void TearDown() override {
    for (const char* name : {"velora.exe", "vldetect.exe", "netdetect.exe", "browser.exe",
                             "rundll32.exe", "winhlp32.exe"}) {
      // A stand-in may still be on its way out.
      e2e::WaitUntil([&] { return e2e::ProcessesNamed(name).empty(); }, 2000);
      const size_t left = e2e::ProcessesNamed(name).size();
      if (left == 0) continue;
      ADD_FAILURE() << left << " " << name << " left running by the suite";
      e2e::EndProcessesNamed(name);
    }
  }
};

HWND FindVisible(const char* caption) {
  HWND w = FindWindowA(nullptr, caption);
  return w && IsWindowVisible(w) ? w : nullptr;
}

// Puts the main window's form into a mode: its radio, then OK in the mode's
// dialog.
bool ChooseFormMode(HWND frame, const char* mode) {
  const struct {
    const char* name;
    int radio;
    const char* dialog;
  } modes[] = {
      {"dialup", IDC_MODE_DIALUP, e2e::kDialUpModeCaption},
      {"lan", IDC_MODE_LAN, e2e::kLanModeCaption},
      {"manual", IDC_MODE_MANUAL, e2e::kManualModeCaption},
  };
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  HWND form = FindWindowExA(frame, nullptr, "#32770", nullptr);
  for (const auto& m : modes) {
    if (std::strcmp(mode, m.name) != 0) continue;
    e2e::Click(form, m.radio);
    HWND dialog = e2e::WaitForWindow(pid, "#32770", m.dialog);
    return dialog && e2e::Answer(dialog, IDOK);
  }
  return false;
}

// Waits until a window stands on the screen as it stays: its caption drawn
// and its pixels unchanged for a while, since a window reaches the screen
// in steps.
bool WaitForStillPicture(HWND hwnd, int timeoutMs) {
  std::vector<DWORD> last;
  DWORD since = 0;
  return e2e::WaitUntil(
      [&] {
        if (!e2e::CaptionPainted(hwnd)) return false;
        std::vector<DWORD> now = e2e::ScreenPixels(e2e::WindowRect(hwnd));
        if (now != last) {
          last = std::move(now);
          since = GetTickCount();
          return false;
        }
        return GetTickCount() - since >= 250;
      },
      timeoutMs);
}

// Posts a command of the main window (the dialog it opens is modal and would
// hold a sent one) and waits for the dialog with that caption.
HWND OpenFromMenu(HWND frame, UINT command, const char* caption) {
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  PostMessageA(frame, WM_COMMAND, command, 0);
  return e2e::WaitForWindow(pid, "#32770", caption);
}

int WaitWindow(const char* caption, int timeoutMs, const char* mode) {
  HWND found = nullptr;
  if (!e2e::WaitUntil([&] { return (found = FindVisible(caption)) != nullptr; }, timeoutMs))
    return 1;
  char cls[64] = {};
  GetClassNameA(found, cls, sizeof cls);
  if (std::strcmp(cls, e2e::kFrameClass) == 0) {
    if (!e2e::RunFirstIdlePasses(found)) return 1;
    const bool settings = mode && std::strcmp(mode, "settings") == 0;
    const bool mtu = mode && std::strcmp(mode, "mtu") == 0;
    const char* formMode = settings ? "dialup" : mtu ? "manual" : mode;
    if (mode && !(ChooseFormMode(found, formMode) && e2e::IdlePass(found))) return 1;
    if (mtu) {
      found = OpenFromMenu(found, ID_FIND_MTU, e2e::kMtuFinderCaption);
      if (!found) return 1;
      SetWindowTextA(GetDlgItem(found, IDC_FINDMTU_HOST), "127.0.0.1");
      e2e::SendClick(found, IDC_FINDMTU_START);
      if (!e2e::WaitUntil([&] {
            return e2e::ItemText(found, IDC_FINDMTU_RESULT).compare(0, 11, "The largest") == 0;
          }, timeoutMs))
        return 1;
    }
    if (settings) {
      found = OpenFromMenu(found, ID_CURRENT_SETTINGS, e2e::kCurrentSettingsCaption);
      if (!found) return 1;
    }
  }
  if (!WaitForStillPicture(found, timeoutMs)) return 1;
  RECT r = e2e::WindowRect(found);
  std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
  return 0;
}

int CloseWindow(const char* caption, int timeoutMs) {
  HWND w = FindWindowA(nullptr, caption);
  if (!w) return 1;
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  for (HWND dialog : e2e::TopWindows(pid, "#32770", nullptr, true)) {
    if (GetWindow(dialog, GW_OWNER) != w) continue;
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    if (!e2e::WaitGone(dialog, timeoutMs)) return 1;
  }
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
    return WaitWindow(argv[2], std::atoi(argv[3]), argc >= 5 ? argv[4] : nullptr);
  if (argc >= 4 && std::strcmp(argv[1], "--close-window") == 0)
    return CloseWindow(argv[2], std::atoi(argv[3]));
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new UnmetWaitPrinter);
  testing::UnitTest::GetInstance()->listeners().Append(new PointerParker);
  testing::UnitTest::GetInstance()->listeners().Append(new WineMachineKeeper);
  testing::AddGlobalTestEnvironment(new NoProgramLeftRunning);
  e2e::PrepareInstallDir();
  return RUN_ALL_TESTS();
}
