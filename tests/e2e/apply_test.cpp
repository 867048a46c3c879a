// The user's road: choose a mode on the form, press Apply, the registry is
// written, the restart is offered.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/form_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

const char kDialUpDesc[] = "Dial-Up Networking (Modem) - Automatically Configured";

class ApplyRoad : public ::testing::Test {
 protected:
  void TearDown() override {
    if (app_.p.Running()) {
      if (HWND box = FindAnyMessageBox(app_.p.pid())) Answer(box, IDOK, 2000);
      app_.p.Kill();
    }
    ClearMachine();
    RemoveFile(ModeFilePath());
  }

  void StartMain() {
    app_ = StartFormApp();
    ASSERT_NE(nullptr, app_.form);
    ASSERT_EQ(nullptr, FindAnyMessageBox(app_.p.pid())) << "no notice without a mode file";
  }

  // The Windows 98 machine with automatic Dial-Up mode chosen.
  void StartWin98DialUp() {
    SeedWin98Machine();
    ASSERT_NO_FATAL_FAILURE(StartMain());
    ASSERT_TRUE(ChooseMode(app_, IDC_MODE_DIALUP, kDialUpModeCaption));
  }

  // The box of the program with that text, answered; the test asserts on it.
  testing::AssertionResult AnswerBox(const std::string& text, int answer,
                                     const char* caption = kBoxCaption) {
    return e2e::AnswerBox(app_.p.pid(), text, answer, caption);
  }

  testing::AssertionResult FinishWithoutRestart() {
    testing::AssertionResult question = AnswerBox(kRestartQuestion, IDNO);
    return question ? AnswerBox(kRestartReminder, IDOK) : question;
  }

  FormApp app_;
};

TEST_F(ApplyRoad, AutomaticDialUpOnWindows98WritesEveryValue) {
  ASSERT_NO_FATAL_FAILURE(StartWin98DialUp());
  // The message pane's drawing type: the high word of its text length.
  HWND statusBar = GetDlgItem(app_.frame, AFX_IDW_STATUS_BAR);
  auto paneType = [&] { return HIWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0)); };
  EXPECT_EQ(SBT_NOBORDERS, paneType());
  Click(app_.form, IDC_APPLY);
  ASSERT_TRUE(FinishWithoutRestart());
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
  EXPECT_EQ("16", GetSz(kNdiCache, ""));
  EXPECT_EQ(kDialUpDesc, ReadFileText(ModeFilePath()));
  DWORD attrs = Attributes(ModeFilePath());
  EXPECT_EQ(DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
            attrs & 0x7);
}

TEST_F(ApplyRoad, AutomaticLanOnNtWritesNumbers) {
  SeedNtMachine();
  ASSERT_NO_FATAL_FAILURE(StartMain());
  ASSERT_TRUE(ChooseMode(app_, IDC_MODE_LAN, kLanModeCaption));
  Click(app_.form, IDC_APPLY);
  ASSERT_TRUE(AnswerBox(kLanQuestion, IDYES));
  ASSERT_TRUE(FinishWithoutRestart());
  EXPECT_EQ(1500, GetDword(kNtLanTcpip, "MTU"));
  EXPECT_EQ(-1, GetDword(kNtWanTcpip, "MTU"));
  EXPECT_EQ(5840, GetDword(kNtTcpipParameters, "TcpWindowSize"));
  EXPECT_EQ(32, GetDword(kNtTcpipParameters, "DefaultTTL"));
  EXPECT_EQ(1, GetDword(kNtTcpipParameters, "EnablePMTUDiscovery"));
  EXPECT_EQ(0, GetDword(kNtTcpipParameters, "EnablePMTUBHDetect"));
  EXPECT_EQ("Local Area Networking (LAN) - Automatically Configured", ReadFileText(ModeFilePath()));
}

TEST_F(ApplyRoad, LanNoThenYesAppliesDialUpAtTheNextUpdate) {
  SeedWin98Machine();
  ASSERT_NO_FATAL_FAILURE(StartMain());
  ASSERT_TRUE(ChooseMode(app_, IDC_MODE_LAN, kLanModeCaption));
  Click(app_.form, IDC_APPLY);
  ASSERT_TRUE(AnswerBox(kLanQuestion, IDNO));
  ASSERT_TRUE(AnswerBox(
      "If you don't use LAN you are probably using regular\n"
      "Dial-Up Networking Internet connection (Modem).\n\n"
      "Velora 2001 can optimize your connection automaticlly. \n"
      "Would you like to optimzie your connection now?",
      IDYES));
  // The switch is visible, and the Dial-Up Apply follows by itself.
  ASSERT_TRUE(FinishWithoutRestart());
  EXPECT_TRUE(IsChecked(app_.form, IDC_MODE_DIALUP));
  EXPECT_FALSE(IsChecked(app_.form, IDC_MODE_LAN));
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", GetSz(kLanBinding, "MaxMTU"));
  EXPECT_EQ(kDialUpDesc, ReadFileText(ModeFilePath()));
}

TEST_F(ApplyRoad, HiddenStatusBarKeepsTheFormsApplyPending) {
  ASSERT_NO_FATAL_FAILURE(StartWin98DialUp());
  ASSERT_TRUE(SendCommand(app_.frame, ID_VIEW_STATUS_BAR));
  ASSERT_TRUE(SendClick(app_.form, IDC_APPLY));
  // The toolbar tells that the pass ran to its end; no box came in it.
  EXPECT_TRUE(NoBoxAfterIdlePass(app_.frame));
  EXPECT_EQ("<absent>", GetSz(kDialUpBinding, "MaxMTU"));
  PostCommand(app_.frame, ID_VIEW_STATUS_BAR);
  ASSERT_TRUE(FinishWithoutRestart());
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
}

TEST_F(ApplyRoad, AModeFileThatCannotBeWrittenIsToldBeforeTheRestartQuestion) {
  ASSERT_NO_FATAL_FAILURE(StartWin98DialUp());
  // A folder in the file's place: no program can write the file there.
  ASSERT_TRUE(CreateDirectoryA(ModeFilePath().c_str(), nullptr));
  Click(app_.form, IDC_APPLY);
  ASSERT_TRUE(AnswerBox(
      "The new settings were written, but the configuration could not\n"
      "be recorded in the file Velora.cfg of the program folder.\n\n"
      "Please log on as an administrator and apply the settings again.",
      IDOK));
  ASSERT_TRUE(FinishWithoutRestart());
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_TRUE(RemoveDirectoryA(ModeFilePath().c_str())) << "the folder is left as it was";
}

TEST_F(ApplyRoad, MenuApplyRunsAtOnceWithoutTheModeFile) {
  ASSERT_NO_FATAL_FAILURE(StartWin98DialUp());
  PostCommand(app_.frame, ID_APPLY_NEW_SETTINGS);
  ASSERT_TRUE(FinishWithoutRestart());
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", ReadFileText(ModeFilePath()));
}

TEST_F(ApplyRoad, NoAdapterOfTheKindIsToldAndNothingWritten) {
  SeedWin98Machine();
  DeleteTree("Enum\\Root\\Net\\0000");  // the Ethernet card stays
  ASSERT_NO_FATAL_FAILURE(StartMain());
  ASSERT_TRUE(ChooseMode(app_, IDC_MODE_DIALUP, kDialUpModeCaption));
  Click(app_.form, IDC_APPLY);
  ASSERT_TRUE(AnswerBox(
      "No Dial-Up (Modem) adapter was found on this computer.\nNo settings were changed.\n\n"
      "Please choose the configuration that matches your connection.",
      IDOK));
  EXPECT_TRUE(NoBoxAfterIdlePass(app_.frame)) << "no restart is offered";
  EXPECT_EQ("<absent>", GetSz(kLanBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", GetSz(kMstcp, "DefaultTTL"));
  EXPECT_EQ("<absent>", ReadFileText(ModeFilePath()));
}

TEST_F(ApplyRoad, ApplyBeforeAnyModeIsRefused) {
  SeedWin98Machine();
  ASSERT_NO_FATAL_FAILURE(StartMain());
  Click(app_.form, IDC_APPLY);
  ASSERT_TRUE(AnswerBox(kNoModeText, IDOK));
  EXPECT_EQ("<absent>", GetSz(kMstcp, "DefaultTTL"));
}

TEST_F(ApplyRoad, YesToTheRestartQuestionRestartsQuietly) {
  ASSERT_NO_FATAL_FAILURE(StartWin98DialUp());
  PostCommand(app_.frame, ID_APPLY_NEW_SETTINGS);
  ASSERT_TRUE(AnswerBox(kRestartQuestion, IDYES));
  // Wine's restart ends the session: every program is asked to end and then
  // ended (wineboot --end-session). A refused restart would show its error
  // box instead, and the program would stay.
  HWND box = nullptr;
  const bool ended = WaitUntil(
      [&] { return (box = FindAnyMessageBox(app_.p.pid())) != nullptr || !app_.p.Running(); },
      kWait);
  EXPECT_EQ(nullptr, box) << "the restart left a box: " << (box ? MessageBoxText(box) : "");
  EXPECT_TRUE(ended && !app_.p.Running()) << "the session was not ended";
}

}  // namespace
}  // namespace e2e
