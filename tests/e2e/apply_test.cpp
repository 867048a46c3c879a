// The user's road: choose a mode on the form, press Apply, the registry is
// written, the restart is offered.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/apply_texts.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const char kDialUpDesc[] = "Dial-Up Networking (Modem) - Automatically Configured";

class ApplyRoad : public ::testing::Test {
 protected:
  void SetUp() override {
    SeedInstallFolder(InstallDir());
    RemoveFile(ModeFile());
  }
  void TearDown() override {
    if (app_.Running()) {
      if (HWND box = FindAnyMessageBox(app_.pid())) Answer(box, IDOK, 2000);
      app_.Kill();
    }
    ClearMachine();
    RemoveFile(ModeFile());
  }
  static std::string ModeFile() { return InstallDir() + "Velora.cfg"; }

  void StartMain() {
    app_ = Start("");
    frame_ = WaitForWindow(app_.pid(), "VeloraFrame", nullptr);
    ASSERT_NE(nullptr, frame_);
    form_ = FindWindowExA(frame_, nullptr, "#32770", nullptr);
    ASSERT_NE(nullptr, form_);
    // A user's first mouse moves give the frame its first idle passes, and
    // with them the start-up notice; here posted no-ops do it.
    for (int i = 0; i < 3; ++i) {
      PostMessageA(frame_, WM_NULL, 0, 0);
      Settle(frame_, 100);
    }
    ASSERT_EQ(nullptr, FindAnyMessageBox(app_.pid())) << "no notice without a mode file";
  }

  // Clicks a mode radio and closes the automatic-mode dialog with OK.
  void ChooseMode(int radioId, const char* dialogCaption) {
    Click(form_, radioId);
    HWND dlg = WaitForWindow(app_.pid(), "#32770", dialogCaption);
    ASSERT_NE(nullptr, dlg) << dialogCaption;
    ASSERT_TRUE(Answer(dlg, IDOK));
  }

  // Expects the box, checks its text and answers it.
  void ExpectBox(const std::string& text, int answer, const char* caption = kCaption) {
    HWND box = WaitForMessageBox(app_.pid(), caption);
    ASSERT_NE(nullptr, box) << "no box for: " << text;
    EXPECT_EQ(text, MessageBoxText(box));
    ASSERT_TRUE(Answer(box, answer));
  }

  void FinishWithoutRestart() {
    ExpectBox(kRestartQuestion, IDNO);
    ExpectBox(kReminder, IDOK);
  }

  Proc app_;
  HWND frame_ = nullptr;
  HWND form_ = nullptr;
};

TEST_F(ApplyRoad, AutomaticDialUpOnWindows98WritesEveryValue) {
  SeedWin98Machine();
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  // The message pane's drawing type: the high word of its text length.
  HWND statusBar = GetDlgItem(frame_, AFX_IDW_STATUS_BAR);
  auto paneType = [&] { return HIWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0)); };
  EXPECT_EQ(SBT_NOBORDERS, paneType());
  Click(form_, IDC_APPLY);
  FinishWithoutRestart();
  // The progress bar came and went over the message pane, which keeps its
  // look without a border.
  EXPECT_EQ(SBT_NOBORDERS, paneType());

  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("536", GetSz(kDialUpBinding, "MaxMSS"));
  EXPECT_EQ("<absent>", GetSz(kLanBinding, "MaxMTU"));
  EXPECT_EQ(3216, GetDword(kMstcp, "DefaultRcvWindow"));
  EXPECT_EQ("536", GetSz(kMstcp, "DefaultMSS"));
  EXPECT_EQ("128", GetSz(kMstcp, "DefaultTTL"));
  EXPECT_EQ(600000, GetDword(kMstcp, "SessionKeepAlive"));
  EXPECT_EQ(1, GetDword(kMstcp, "PMTUDiscovery"));
  EXPECT_EQ(0, GetDword(kMstcp, "PMTUBlackHoleDetect"));
  EXPECT_EQ("16", GetSz(kNdi, ""));
  EXPECT_EQ(kDialUpDesc, ReadFileText(ModeFile()));
  DWORD attrs = Attributes(ModeFile());
  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            attrs & 0x7);
}

TEST_F(ApplyRoad, AutomaticLanOnNtWritesNumbers) {
  SeedNtMachine();
  StartMain();
  ChooseMode(IDC_MODE_LAN, "Automatic Mode - LAN");
  Click(form_, IDC_APPLY);
  ExpectBox(kLanQuestion, IDYES);
  FinishWithoutRestart();
  const std::string lan = "SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip";
  const std::string wan = "SYSTEM\\CurrentControlSet\\Services\\VlWan\\Parameters\\Tcpip";
  EXPECT_EQ(1500, GetDword(lan, "MTU"));
  EXPECT_EQ(-1, GetDword(wan, "MTU"));
  EXPECT_EQ(5840, GetDword(kTcpip, "TcpWindowSize"));
  EXPECT_EQ(32, GetDword(kTcpip, "DefaultTTL"));
  EXPECT_EQ(1, GetDword(kTcpip, "EnablePMTUDiscovery"));
  EXPECT_EQ(0, GetDword(kTcpip, "EnablePMTUBHDetect"));
  EXPECT_EQ("Local Area Networking (LAN) - Automatically Configured", ReadFileText(ModeFile()));
}

TEST_F(ApplyRoad, LanNoThenYesAppliesDialUpAtTheNextUpdate) {
  SeedWin98Machine();
  StartMain();
  ChooseMode(IDC_MODE_LAN, "Automatic Mode - LAN");
  Click(form_, IDC_APPLY);
  ExpectBox(kLanQuestion, IDNO);
  ExpectBox(
      "If you don't use LAN you are probably using regular\n"
      "Dial-Up Networking Internet connection (Modem).\n\n"
      "Velora 2001 can optimize your connection automaticlly. \n"
      "Would you like to optimzie your connection now?",
      IDYES);
  // The switch is visible, and the deferred Apply follows by itself.
  FinishWithoutRestart();
  EXPECT_TRUE(IsChecked(form_, IDC_MODE_DIALUP));
  EXPECT_FALSE(IsChecked(form_, IDC_MODE_LAN));
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", GetSz(kLanBinding, "MaxMTU"));
  EXPECT_EQ(kDialUpDesc, ReadFileText(ModeFile()));
}

TEST_F(ApplyRoad, HiddenStatusBarKeepsTheFormsApplyPending) {
  SeedWin98Machine();
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  PostCommand(frame_, ID_VIEW_STATUS_BAR);
  Settle(frame_);
  Click(form_, IDC_APPLY);
  Settle(frame_, 500);
  EXPECT_EQ(nullptr, FindAnyMessageBox(app_.pid()));
  EXPECT_EQ("<absent>", GetSz(kDialUpBinding, "MaxMTU"));
  PostCommand(frame_, ID_VIEW_STATUS_BAR);
  FinishWithoutRestart();
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
}

TEST_F(ApplyRoad, MenuApplyRunsAtOnceWithoutTheModeFile) {
  SeedWin98Machine();
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  PostCommand(frame_, ID_APPLY_NEW_SETTINGS);
  FinishWithoutRestart();
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", ReadFileText(ModeFile()));
}

TEST_F(ApplyRoad, NoAdapterOfTheKindIsToldAndNothingWritten) {
  SeedWin98Machine();
  DeleteTree("Enum\\Root\\Net\\0000");  // the Ethernet card stays
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  Click(form_, IDC_APPLY);
  ExpectBox(
      "No Dial-Up (Modem) adapter was found on this computer.\nNo settings were changed.\n\n"
      "Please choose the configuration that matches your connection.",
      IDOK);
  Settle(frame_, 300);
  EXPECT_EQ(nullptr, FindAnyMessageBox(app_.pid())) << "no restart is offered";
  EXPECT_EQ("<absent>", GetSz(kLanBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", GetSz(kMstcp, "DefaultTTL"));
  EXPECT_EQ("<absent>", ReadFileText(ModeFile()));
}

TEST_F(ApplyRoad, ApplyBeforeAnyModeIsRefused) {
  SeedWin98Machine();
  StartMain();
  Click(form_, IDC_APPLY);
  ExpectBox("No configuration mode was selected.", IDOK);
  EXPECT_EQ("<absent>", GetSz(kMstcp, "DefaultTTL"));
}

TEST_F(ApplyRoad, YesToTheRestartQuestionRestartsQuietly) {
  SeedWin98Machine();
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  PostCommand(frame_, ID_APPLY_NEW_SETTINGS);
  ExpectBox(kRestartQuestion, IDYES);
  Settle(frame_, 300);
  EXPECT_EQ(nullptr, FindAnyMessageBox(app_.pid())) << "the restart leaves no error";
}

}  // namespace
}  // namespace e2e
