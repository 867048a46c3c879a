// The Ping Configuration dialog under Wine: what it shows, what it stores in
// the registry (decoded here with the letter code written out on its own),
// and the notice to the companion's window: the real companion takes it, and
// a stand-in that never answers shows that OK does not wait for ever.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/box_icon.h"
#include "tests/e2e/companion_helpers.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/ping_store.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

const char kAutomaticShown[] = "          Automatic";

std::string LogPath() { return InstallDir() + "netdetect.log"; }
std::string NetDetect() { return BuildDir() + "stubs\\netdetect.exe"; }

class PingFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SeedInstallFolder(InstallDir());
    RemoveFile(InstallDir() + "Velora.cfg");
    DeleteTree(PingKey());
    RemoveFile(LogPath());
  }
  void TearDown() override {
    EXPECT_TRUE(RestoreStandInCompanion());
    DeleteTree(PingKey());
    RemoveFile(LogPath());
  }

  // A stored value decoded, or "<absent>". Values are padded to whole blocks
  // of 23 letters.
  std::string Stored(const char* name) {
    std::string raw = GetSz(PingKey(), ScrambleUnpadded(name));
    if (raw == "<absent>") return raw;
    EXPECT_EQ(0u, raw.size() % 23) << name << " " << raw;
    return Unscramble(raw);
  }

  HWND OpenAlone(Proc& p) {
    p = Start("/ping");
    return WaitForWindow(p.pid(), "#32770", kPingCaption);
  }
  // Alone, and switched to manual mode.
  HWND OpenManual(Proc& p) {
    HWND dlg = OpenAlone(p);
    return dlg && SendClick(dlg, IDC_PING_MANUAL) ? dlg : nullptr;
  }
  // Cancel, which ends the run of the verb.
  static bool Cancel(HWND dlg, Proc& p) { return Answer(dlg, IDCANCEL) && p.WaitExit(); }

  HWND StartNetDetect(Proc& companion, const std::string& mode) {
    companion = Start(LogPath() + mode, NetDetect());
    return WaitForWindow(companion.pid(), nullptr, kCompanionTitle, kWait, false);
  }
};

class PingDialog : public PingFixture {};
class PingCompanion : public PingFixture {};

// Large fonts: 120 pixels to the inch for the programs started meanwhile.
class PingLargeFonts : public PingFixture {
 protected:
  void SetUp() override {
    PingFixture::SetUp();
    saved_ = Get(kDesktop, "LogPixels", HKEY_CURRENT_USER);
    SetDword(kDesktop, "LogPixels", 120, HKEY_CURRENT_USER);
  }
  void TearDown() override {
    if (saved_.exists)
      SetRaw(kDesktop, "LogPixels", saved_.type, saved_.bytes, HKEY_CURRENT_USER);
    else
      DeleteValue(kDesktop, "LogPixels", HKEY_CURRENT_USER);
    PingFixture::TearDown();
  }
  static POINT Position(HWND dlg, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dlg, id), &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top};
  }
  static constexpr const char* kDesktop = "Control Panel\\Desktop";
  Value saved_;
};

TEST_F(PingDialog, VerbShowsTheDialogAloneInAutomaticModeWhenNothingIsStored) {
  Proc p;
  HWND dlg = OpenAlone(p);
  ASSERT_NE(nullptr, dlg);
  EXPECT_TRUE(TopWindows(p.pid(), kFrameClass, nullptr, false).empty());
  EXPECT_TRUE(WaitUntil([&] { return CaptionShowsOurIcon(dlg); }));
  EXPECT_NE(0, SendDlgItemMessageA(dlg, IDC_PING_ICON, STM_GETICON, 0, 0));
  EXPECT_EQ(
      "Most Internet Service Providers disconnect users\nafter a fixed time of modem "
      "inactivity. Setup the\nPing Interval and you will not be disconnected...",
      ItemText(dlg, IDC_PING_TEXT));

  EXPECT_TRUE(IsChecked(dlg, IDC_PING_AUTO));
  EXPECT_FALSE(IsChecked(dlg, IDC_PING_MANUAL));
  EXPECT_FALSE(IsEnabled(dlg, IDC_PING_HOST));
  EXPECT_FALSE(IsEnabled(dlg, IDC_PING_INTERVAL));
  EXPECT_EQ(kAutomaticShown, ItemText(dlg, IDC_PING_HOST));
  HWND combo = GetDlgItem(dlg, IDC_PING_INTERVAL);
  std::vector<std::string> items = ComboItems(combo);
  ASSERT_EQ(60u, items.size());
  EXPECT_EQ(" 1 minute.", items[0]);
  EXPECT_EQ(" 60 minutes.", items[59]);
  EXPECT_EQ(4, ComboSelection(combo));
  EXPECT_FALSE(IsChecked(dlg, IDC_PING_SOUND));
  EXPECT_TRUE(IsChecked(dlg, IDC_PING_TASKBAR_ANI));
  // The focus lands once the shown dialog is activated.
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(dlg) == GetDlgItem(dlg, IDOK); }))
      << "focus on id " << GetDlgCtrlID(FocusOf(dlg));

  EXPECT_TRUE(Cancel(dlg, p));
  EXPECT_FALSE(KeyExists(PingKey()));
}

TEST_F(PingDialog, BlankHostIsRefusedAndTheDialogStaysOpen) {
  Proc p;
  HWND dlg = OpenManual(p);
  ASSERT_NE(nullptr, dlg);
  EXPECT_TRUE(IsEnabled(dlg, IDC_PING_HOST));
  EXPECT_EQ("", ItemText(dlg, IDC_PING_HOST));
  SetWindowTextA(GetDlgItem(dlg, IDC_PING_HOST), "   ");
  Click(dlg, IDOK);
  HWND box = WaitForMessageBox(p.pid(), kBoxCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Please choose a valid Ping Host.\nExample:  www.norwick.example ", MessageBoxText(box));
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), ShownBoxIcon(box));
  ASSERT_TRUE(Answer(box, IDOK));
  // The refused OK has nothing left to do once its box is gone.
  EXPECT_TRUE(IsWindow(dlg));
  EXPECT_EQ("   ", ItemText(dlg, IDC_PING_HOST));
  EXPECT_FALSE(KeyExists(PingKey()));
  EXPECT_TRUE(Cancel(dlg, p));
  EXPECT_FALSE(KeyExists(PingKey()));
}

TEST_F(PingDialog, TypingIntoTheIntervalFieldIsUndoneAndTheHostFieldTakes255Characters) {
  Proc p;
  HWND dlg = OpenManual(p);
  ASSERT_NE(nullptr, dlg);
  HWND combo = GetDlgItem(dlg, IDC_PING_INTERVAL);
  HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
  ASSERT_NE(nullptr, edit);
  // Sent, so that it has been typed and undone when the call returns.
  DWORD_PTR done = 0;
  ASSERT_TRUE(SendMessageTimeoutA(edit, WM_CHAR, 'x', 1, SMTO_NORMAL, kWait, &done));
  EXPECT_EQ(" 5 minutes.", Text(edit));

  HWND host = GetDlgItem(dlg, IDC_PING_HOST);
  EXPECT_EQ(255, SendMessageA(host, EM_GETLIMITTEXT, 0, 0));
  EXPECT_TRUE(Cancel(dlg, p));
}

TEST_F(PingLargeFonts, AHundredPixelOkButtonMovesThreeControlsAndWidensThePadding) {
  Proc p;
  HWND dlg = OpenAlone(p);
  ASSERT_NE(nullptr, dlg);
  RECT ok;
  GetWindowRect(GetDlgItem(dlg, IDOK), &ok);
  ASSERT_EQ(100, ok.right - ok.left) << "this Wine does not lay out large fonts as Windows does";
  const struct {
    int id;
    LONG x, y;
  } moved[] = {{IDC_PING_ICON, 50, 17}, {IDC_PING_TEXT, 138, 16}, {IDC_PING_MANUAL, 208, 112}};
  for (const auto& m : moved) {
    POINT at = Position(dlg, m.id);
    EXPECT_EQ(m.x, at.x) << m.id;
    EXPECT_EQ(m.y, at.y) << m.id;
  }
  EXPECT_EQ("              Automatic", ItemText(dlg, IDC_PING_HOST));
  EXPECT_TRUE(Cancel(dlg, p));
}

TEST_F(PingCompanion, OkStoresTheManualSettingsAndTheRealCompanionTakesThem) {
  ASSERT_TRUE(InstallRealCompanion());
  Proc companion;
  HWND window = StartCompanion(companion);
  ASSERT_NE(nullptr, window);
  EXPECT_EQ(kCompanionIdleStatus, WaitForStatus(window, kCompanionIdleStatus));
  Proc p;
  HWND dlg = OpenManual(p);
  ASSERT_NE(nullptr, dlg);
  SetWindowTextA(GetDlgItem(dlg, IDC_PING_HOST), " 10.0.0.1 ");
  SendDlgItemMessageA(dlg, IDC_PING_INTERVAL, CB_SETCURSEL, 2, 0);
  SendDlgItemMessageA(dlg, IDC_PING_SOUND, BM_SETCHECK, BST_CHECKED, 0);
  ASSERT_TRUE(Answer(dlg, IDOK));
  EXPECT_TRUE(p.WaitExit());

  EXPECT_EQ("Manual", Stored("PingMode"));
  EXPECT_EQ(" 10.0.0.1 ", Stored("PingHost"));
  EXPECT_EQ("2", Stored("PingInterval"));
  EXPECT_EQ("1", Stored("PingSound"));
  EXPECT_EQ("1", Stored("TaskBarAni"));
  // The notice is handled before the dialog closes: no wait is needed.
  EXPECT_EQ("10.0.0.1, every 3 minutes: not connected", CompanionStatus(window));
  // The program's own start of the companion ends at once.
  EXPECT_TRUE(WaitForCompanionCount(1));
  EXPECT_EQ(1u, CompanionWindows().size());
}

TEST_F(PingCompanion, AHungCompanionDoesNotKeepTheDialogOpen) {
  Proc companion;
  ASSERT_NE(nullptr, StartNetDetect(companion, " /hang"));
  Proc p;
  HWND dlg = OpenAlone(p);
  ASSERT_NE(nullptr, dlg);
  ASSERT_TRUE(Answer(dlg, IDOK, 15000));
  EXPECT_TRUE(p.WaitExit());
  EXPECT_EQ("Automatic", Stored("PingMode"));
  EXPECT_EQ("Automatic", Stored("PingHost"));
  EXPECT_EQ("9", Stored("PingInterval"));
  EXPECT_EQ("123 123\n", ReadFileText(LogPath()));
}

}  // namespace
}  // namespace e2e
