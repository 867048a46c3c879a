// The real companion vldetect.exe under Wine: one instance, its hidden
// window, the settings notice, its menu, and a ping to this machine while a
// stand-in plays the dial-up connection.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "ping/ping_settings.h"
#include "res/resource.h"
#include "tests/e2e/companion_helpers.h"
#include "tests/e2e/ping_store.h"

namespace e2e {
namespace {

// True while the shell has the companion's tray icon: only an icon it has can
// be changed, and a change of nothing leaves it as it is.
bool TrayHasIcon(HWND companion) {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = companion;
  nid.uID = VLDETECT_TRAY_ID;
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

class CompanionBench : public ::testing::Test {
 protected:
  void SetUp() override {
    SeedInstallFolder(InstallDir());
    RemoveFile(InstallDir() + "Velora.cfg");
    DeleteTree(PingKey());
    ASSERT_TRUE(InstallRealCompanion());
  }
  void TearDown() override {
    EXPECT_TRUE(RestoreStandInCompanion());
    DeleteTree(PingKey());
  }
};

class CompanionInstance : public CompanionBench {};
class CompanionNotice : public CompanionBench {};
class CompanionMenu : public CompanionBench {};

TEST_F(CompanionInstance, OneHiddenWindowAndASecondStartEndsAtOnce) {
  Proc first;
  HWND window = StartCompanion(first);
  ASSERT_NE(nullptr, window);
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(nullptr, GetParent(window));
  EXPECT_EQ(nullptr, GetWindow(window, GW_OWNER));
  EXPECT_EQ(kCompanionIdleStatus, WaitForStatus(window, kCompanionIdleStatus));
  EXPECT_FALSE(TrayHasIcon(window)) << "no icon without a dial-up connection";

  for (const char* args : {"/auto", "", "/AUTO now"}) {
    Proc second = Start(args, CompanionExe());
    DWORD code = 1;
    EXPECT_TRUE(second.WaitExit(kWait, &code)) << args;
    EXPECT_EQ(0u, code) << args;
  }
  EXPECT_EQ(std::vector<HWND>{window}, CompanionWindows());
  EXPECT_TRUE(first.Running());

  // The uninstaller's way to end it.
  PostMessageA(window, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(first.WaitExit(kWait, &code));
  EXPECT_EQ(0u, code);
}

TEST_F(CompanionNotice, PingConfigurationOkOfTheProgramReachesIt) {
  Proc companion;
  HWND window = StartCompanion(companion);
  ASSERT_NE(nullptr, window);
  WaitForStatus(window, kCompanionIdleStatus);

  Proc velora = Start("/ping");
  HWND dlg = WaitForWindow(velora.pid(), "#32770", kPingCaption);
  ASSERT_NE(nullptr, dlg);
  ASSERT_TRUE(SendClick(dlg, IDC_PING_MANUAL));
  SetWindowTextA(GetDlgItem(dlg, IDC_PING_HOST), "127.0.0.1");
  SendDlgItemMessageA(dlg, IDC_PING_INTERVAL, CB_SETCURSEL, 4, 0);
  ASSERT_TRUE(Answer(dlg, IDOK));
  EXPECT_TRUE(velora.WaitExit());
  // The dialog sends and waits: by the time it is gone the companion has
  // re-read what it stored.
  EXPECT_EQ("127.0.0.1, every 5 minutes: not connected", CompanionStatus(window));

  // Automatic again, from the dialog's defaults.
  velora = Start("/ping");
  dlg = WaitForWindow(velora.pid(), "#32770", kPingCaption);
  ASSERT_NE(nullptr, dlg);
  ASSERT_TRUE(SendClick(dlg, IDC_PING_DEFAULT));
  ASSERT_TRUE(Answer(dlg, IDOK));
  EXPECT_TRUE(velora.WaitExit());
  EXPECT_EQ(kCompanionIdleStatus, CompanionStatus(window));
}

TEST_F(CompanionNotice, OnlyTheDialogsOwnParametersMakeItReread) {
  Proc companion;
  HWND window = StartCompanion(companion);
  ASSERT_NE(nullptr, window);
  WaitForStatus(window, kCompanionIdleStatus);
  SeedPingSettings("Manual", "10.0.0.1", 0, 0, 1);
  const WPARAM notice = vl::kWmPingSettingsChanged;
  for (auto [wp, lp] : {std::pair<WPARAM, LPARAM>{0, 0}, {123, 0}, {0, 123}, {124, 123}}) {
    EXPECT_EQ(0, SendMessageA(window, notice, wp, lp)) << wp << " " << lp;
    EXPECT_EQ(kCompanionIdleStatus, CompanionStatus(window))
        << wp << " " << lp;
  }
  EXPECT_EQ(1, SendMessageA(window, notice, 123, 123));
  EXPECT_EQ("10.0.0.1, every minute: not connected", CompanionStatus(window));
}

TEST_F(CompanionMenu, PingConfigurationStartsTheProgramBesideItAndExitEndsIt) {
  Proc companion;
  HWND window = StartCompanion(companion);
  ASSERT_NE(nullptr, window);
  PostCommand(window, ID_VLDETECT_CONFIGURATION);
  HWND dlg = nullptr;
  ASSERT_TRUE(
      WaitUntil([&] { return (dlg = FindWindowA("#32770", kPingCaption)) != nullptr; }));
  DWORD pid = 0;
  GetWindowThreadProcessId(dlg, &pid);
  vl::ScopedHandle velora{OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid)};
  ASSERT_TRUE(velora);
  ASSERT_TRUE(Answer(dlg, IDCANCEL));
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(velora.get(), kWait))
      << "velora.exe /ping ends with its dialog";
  // The program's own start of the companion ends at once, this one running.
  EXPECT_TRUE(WaitForCompanionCount(1));
  EXPECT_EQ(std::vector<HWND>{window}, CompanionWindows());

  PostCommand(window, ID_VLDETECT_EXIT);
  DWORD code = 1;
  EXPECT_TRUE(companion.WaitExit(kWait, &code));
  EXPECT_EQ(0u, code);
  EXPECT_TRUE(CompanionWindows().empty());
}

// A dial-up connection played by a rasapi32.dll of the tests' own
// (stubs/dll/rasapi32.cpp) put in place of Wine's in the system directory,
// where the companion loads it from, and loaded as a DLL of its own only by
// vldetect.exe (Wine's per-program DLL settings). The test sets the line's
// state in the registry. Pings go to this machine only.
class CompanionDialUp : public CompanionBench {
 protected:
  void SetUp() override {
    CompanionBench::SetUp();
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    systemDll_ = std::string(dir) + "\\rasapi32.dll";
    saved_ = systemDll_ + ".velora-test";
    ASSERT_TRUE(CopyFileA(systemDll_.c_str(), saved_.c_str(), FALSE)) << systemDll_;
    ASSERT_TRUE(CopyFileA((BuildDir() + "stubs\\rasapi32.dll").c_str(), systemDll_.c_str(), FALSE));
    SetSz(kOverrides, "rasapi32", "native", HKEY_CURRENT_USER);
    Line("");
  }
  void TearDown() override {
    CompanionBench::TearDown();
    DeleteTree(kOverrideApp, HKEY_CURRENT_USER);
    DeleteTree(kLineKey);
    if (!saved_.empty()) {
      CopyFileA(saved_.c_str(), systemDll_.c_str(), FALSE);
      DeleteFileA(saved_.c_str());
    }
  }
  static void Line(const std::string& state) { SetSz(kLineKey, "DialUp", state); }

  static constexpr const char* kLineKey = "SOFTWARE\\Velora Test Bench";
  static constexpr const char* kOverrideApp = "Software\\Wine\\AppDefaults\\vldetect.exe";
  static constexpr const char* kOverrides =
      "Software\\Wine\\AppDefaults\\vldetect.exe\\DllOverrides";
  std::string systemDll_, saved_;
};

TEST_F(CompanionDialUp, PingsThisMachineWhileTheLineIsUpAndShowsTheIconMeanwhile) {
  SeedPingSettings("Manual", "127.0.0.1", 0, 1, 1);
  Line("connecting");
  Proc companion;
  HWND window = StartCompanion(companion);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ("127.0.0.1, every minute: connecting",
            WaitForStatus(window, "127.0.0.1, every minute: connecting"));
  EXPECT_TRUE(TrayHasIcon(window));

  Line("connected");
  EXPECT_EQ("127.0.0.1, every minute: no ping yet",
            WaitForStatus(window, "127.0.0.1, every minute: no ping yet"));
  EXPECT_TRUE(TrayHasIcon(window));
  PostCommand(window, ID_VLDETECT_PING_NOW);
  const std::string replied = WaitForStatus(window, "127.0.0.1, every minute: reply in ", true);
  EXPECT_NE(std::string::npos, replied.find(" ms")) << replied;

  Line("");
  EXPECT_EQ("127.0.0.1, every minute: not connected",
            WaitForStatus(window, "127.0.0.1, every minute: not connected"));
  EXPECT_FALSE(TrayHasIcon(window));
}

}  // namespace
}  // namespace e2e
