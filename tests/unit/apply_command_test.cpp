#include "tuning/apply_command.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "res/resource.h"
#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/fake_form.h"
#include "tests/unit/kit/machines.h"
#include "tests/unit/kit/recording_apply_ui.h"

namespace vl {
namespace {

using namespace machines;

constexpr WindowHandle kFrame = RecordingApplyUi::kFrame;
// What the command shows for a refusal or a failure.
ShownBox Warning(const std::string& text) {
  return {kFrame, text, "Velora 2001", kMbOk | kMbIconExclamation};
}
const char kModeFile[] = "C:\\Velora\\Velora.cfg";
const char kDialUpDescription[] = "Dial-Up Networking (Modem) - Automatically Configured";

// The registry's writes go into the window's log too, so the writer's place
// among the steps shows.
class ApplyCommandTest : public AppTest {
 protected:
  ApplyCommandTest() {
    Install();
    app.m_pFormView = &form;
    pacer.onWait = [this](uint64_t) { waitsBeforeStep.push_back(ui.steps); };
    reg.fault = [this](const RegCall& c) {
      if (c.op == RegOp::Set) ui.events.push_back("write@" + std::to_string(ui.steps));
      return 0L;
    };
  }

  // One "Dial-Up Adapter" on a Windows 98 machine.
  void SeedWin98() {
    Windows98(*this);
    AddAdapter(reg, 0, "Dial-Up Adapter");
  }

  // One LAN card on a Windows 2000 machine.
  void SeedNt() {
    WindowsNt(*this, "2000");
    AddCard(reg, 1, "[1] Test Ethernet Adapter", "E100");
  }

  void Run(ApplyOrigin origin = ApplyOrigin::Menu) {
    reg.ClearCalls();
    ui.events.clear();
    RunApplyCommand(app, ui, origin);
  }

  FakeFormWindow form;
  RecordingApplyUi ui;
  std::vector<int> waitsBeforeStep;
};

struct RefusalCase {
  int mode;
  const char* mtu;
  const char* ttl;
  const char* message;
};
void PrintTo(const RefusalCase& c, std::ostream* os) {
  *os << "mode " << c.mode << ", MTU \"" << c.mtu << "\", TTL \"" << c.ttl << "\"";
}

class ApplyRefusal : public ApplyCommandTest,
                     public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ApplyRefusal, ShowsOneExclamationAndWritesNothing) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  app.m_nConfigMode = GetParam().mode;
  app.m_tuning.m_strMaxMtu = GetParam().mtu;
  app.m_tuning.m_strTtl = GetParam().ttl;
  Run(ApplyOrigin::FormButton);
  EXPECT_EQ(std::vector<ShownBox>{Warning(GetParam().message)}, boxes.shown);
  EXPECT_TRUE(reg.Writes().empty());
  EXPECT_TRUE(ui.events.empty()) << "no progress bar for a refused Apply";
  EXPECT_FALSE(files.Exists(kModeFile)) << "a refused Apply records nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Validations, ApplyRefusal,
    ::testing::Values(RefusalCase{ModeNone, "576", "128", kNoModeSelected},
                      RefusalCase{ModeNone, "", "", kNoModeSelected},
                      RefusalCase{ModeManualDialUp, "", "128", kInvalidMtuEmpty},
                      RefusalCase{ModeManualDialUp, "576", "", kInvalidTtlEmpty},
                      RefusalCase{ModeManualDialUp, "", "", kInvalidMtuEmpty},
                      RefusalCase{ModeManualDialUp, "39", "128", kInvalidMtuLow},
                      RefusalCase{ModeManualDialUp, " 3x", "128", kInvalidMtuLow}));

TEST_F(ApplyCommandTest, AnMtuOfFortyPasses) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  app.m_nConfigMode = ModeManualDialUp;
  app.m_tuning.m_strMaxMtu = "40";
  Run();
  EXPECT_EQ("40", reg.GetSz(BindingKey(0), "MaxMTU"));
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(RestartQuestion("Velora 2001"), boxes.shown[0].text);
}

TEST_F(ApplyCommandTest, PacedStepsWithTheWriterAtStep75) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  Run();
  std::vector<std::string> expected = {"Create", "BeginWait", "Show",    "Range 0-100",
                                       "Step 1", "Pos 0"};
  // The record and its number first, then 2 binding + 6 MSTCP + NDI.
  for (int i = 0; i < 2 + 9; ++i) expected.push_back("write@74");
  expected.push_back("EndWait");
  expected.push_back("Destroy");
  EXPECT_EQ(expected, ui.events);
  EXPECT_EQ(100, ui.steps);

  // Each step waits its row of the pace before it, the writer's step a row
  // of its own.
  std::vector<uint64_t> waits;
  int first = 1;
  for (const ApplyPace& row : kApplyPace) {
    for (int step = first; step <= row.lastStep; ++step) waits.push_back(row.counts);
    first = row.lastStep + 1;
  }
  EXPECT_EQ(waits, pacer.waits);
  EXPECT_EQ(kApplySteps, first - 1) << "the rows cover the steps";
  for (int step = 1; step <= 100; ++step)
    EXPECT_EQ(step - 1, waitsBeforeStep.at(step - 1)) << "each wait comes before its step";
}

TEST_F(ApplyCommandTest, LanFirstAnswerYesWritesLanValues) {
  SeedNt();
  LoadAutoMode(app, ModeAutoLan);
  boxes.answers = {kIdYes, kIdNo};
  Run();
  ASSERT_EQ(3u, boxes.shown.size());
  EXPECT_EQ(LanQuestion(), boxes.shown[0].text);
  EXPECT_EQ(kMbYesNo | kMbIconQuestion | kMbDefButton2, boxes.shown[0].style);
  EXPECT_EQ(RestartQuestion("Velora 2001"), boxes.shown[1].text);
  EXPECT_EQ(kRestartReminder, boxes.shown[2].text);
  EXPECT_EQ(kMbOk | kMbIconInformation, boxes.shown[2].style);
  EXPECT_EQ(1500, reg.GetDword(Tcpip("E100"), "MTU"));
  EXPECT_EQ(5840, reg.GetDword(kTcpipParameters, "TcpWindowSize"));
}

TEST_F(ApplyCommandTest, LanNoThenNoWritesNothing) {
  SeedNt();
  LoadAutoMode(app, ModeAutoLan);
  boxes.answers = {kIdNo, kIdNo};
  Run(ApplyOrigin::FormButton);
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(LanSecondQuestion("Velora 2001"), boxes.shown[1].text);
  EXPECT_EQ(kMbYesNo | kMbIconQuestion, boxes.shown[1].style);
  EXPECT_EQ(ModeAutoLan, app.m_nConfigMode);
  EXPECT_TRUE(reg.Writes().empty());
  EXPECT_FALSE(app.m_bApplyPending);
  EXPECT_FALSE(files.Exists(kModeFile));
}

TEST_F(ApplyCommandTest, LanNoThenYesSwitchesToDialUpAndDefers) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoLan);
  form.SetCheck(IDC_MODE_LAN, true);
  boxes.answers = {kIdNo, kIdYes};
  Run(ApplyOrigin::FormButton);
  EXPECT_EQ(2u, boxes.shown.size());
  EXPECT_TRUE(reg.Writes().empty());
  EXPECT_TRUE(ui.events.empty());
  EXPECT_EQ(ModeAutoDialUp, app.m_nConfigMode);
  EXPECT_EQ(kDialUpDescription, app.m_strActiveConfig);
  EXPECT_EQ("576", app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("x6", app.m_tuning.m_strRwinMultiple);
  EXPECT_TRUE(form.IsChecked(IDC_MODE_DIALUP));
  EXPECT_FALSE(form.IsChecked(IDC_MODE_LAN));
  EXPECT_TRUE(app.m_bApplyPending);
  EXPECT_EQ(ApplyOrigin::DialUpAnswer, app.m_eApplyOrigin);
  EXPECT_FALSE(files.Exists(kModeFile));

  // The next idle pass runs it as it was asked for: Dial-Up values, and the
  // file.
  ApplyOrigin next;
  ASSERT_TRUE(app.TakePendingApply(&next));
  boxes.shown.clear();
  Run(next);
  EXPECT_EQ("576", reg.GetSz(BindingKey(0), "MaxMTU"));
  EXPECT_EQ(3216, reg.GetDword(kMstcp, "DefaultRcvWindow"));
  EXPECT_EQ(kDialUpDescription, files.Content(kModeFile));
}

TEST_F(ApplyCommandTest, ManualWithoutChosenKindWritesLanAdaptersWithoutQuestion) {
  SeedNt();
  LoadAutoMode(app, ModeAutoLan);
  app.m_nConfigMode = ModeManual;
  Run();
  EXPECT_EQ(RestartQuestion("Velora 2001"), boxes.shown.at(0).text);
  EXPECT_EQ(1500, reg.GetDword(Tcpip("E100"), "MTU"));
}

// An Apply that changed nothing must not claim success nor offer a restart.
TEST_F(ApplyCommandTest, NoAdapterOfTheKindIsReportedWithoutRestart) {
  SeedNt();  // a LAN card only
  LoadAutoMode(app, ModeAutoDialUp);
  Run(ApplyOrigin::FormButton);
  EXPECT_EQ(std::vector<ShownBox>{Warning(NoAdapterMessage(ModeAutoDialUp))}, boxes.shown);
  EXPECT_TRUE(restart.log.empty());
  EXPECT_FALSE(files.Exists(kModeFile));
}

TEST_F(ApplyCommandTest, RegistryWriteFailureIsReportedWithoutRestart) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  // The program's own key takes the record; the TCP/IP keys refuse.
  reg.fault = [](const RegCall& c) {
    return c.op == RegOp::Set && c.path.rfind(kSettingsKey, 0) != 0 ? kErrorAccessDenied : 0L;
  };
  Run(ApplyOrigin::FormButton);
  EXPECT_EQ(std::vector<ShownBox>{Warning(
                "The new Dial-Up (Modem) settings could not be written to the registry.\n"
                "Your settings may be incomplete.\n\n"
                "Please log on as an administrator and apply the settings again.")},
            boxes.shown);
  EXPECT_TRUE(restart.log.empty());
  EXPECT_FALSE(files.Exists(kModeFile));
}

TEST_F(ApplyCommandTest, DeferredApplyRecordsTheAppliedConfiguration) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  files.AddFile(kModeFile, "old", kRhs);
  Run(ApplyOrigin::FormButton);
  EXPECT_EQ(kDialUpDescription, files.Content(kModeFile));
  Run(ApplyOrigin::Menu);  // the menu's Apply leaves the file alone
  EXPECT_EQ(1, std::count_if(files.log.begin(), files.log.end(), [](const std::string& l) {
              return l.rfind("WriteTextFile", 0) == 0;
            }));
}

// The settings are in the registry, so the restart still makes them work;
// the user learns that the program will not name them at the next start.
TEST_F(ApplyCommandTest, AModeFileThatCannotBeWrittenIsToldBeforeTheRestartQuestion) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  files.fault = [](const std::string& op, const std::string&) { return op == "WriteTextFile"; };
  boxes.answers = {kIdOk, kIdYes};
  Run(ApplyOrigin::FormButton);
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(Warning("The new settings were written, but the configuration could not\n"
                    "be recorded in the file Velora.cfg of the program folder.\n\n"
                    "Please log on as an administrator and apply the settings again."),
            boxes.shown[0]);
  EXPECT_EQ(RestartQuestion("Velora 2001"), boxes.shown[1].text);
  EXPECT_EQ("576", reg.GetSz(BindingKey(0), "MaxMTU"));
  EXPECT_EQ(std::vector<std::string>{"ExitWindows 2"}, restart.log);
}

struct RestartCase {
  const char* os;
  bool tokenOpens;
  unsigned long privilegeError;
  bool exitSucceeds;
  std::vector<std::string> calls;
  bool errorShown;
};
void PrintTo(const RestartCase& c, std::ostream* os) {
  *os << c.os << (c.tokenOpens ? "" : ", no token") << ", privilege error " << c.privilegeError
      << (c.exitSucceeds ? "" : ", ExitWindowsEx fails");
}

class ApplyRestart : public ApplyCommandTest,
                     public ::testing::WithParamInterface<RestartCase> {};

TEST_P(ApplyRestart, FollowsTheFamilysPath) {
  const RestartCase& c = GetParam();
  app.m_strOsName = c.os;
  restart.tokenOpens = c.tokenOpens;
  restart.lastErrorAfterAdjust = c.privilegeError;
  restart.exitSucceeds = c.exitSucceeds;
  RestartComputer(app, kFrame);
  EXPECT_EQ(c.calls, restart.log);
  if (c.errorShown) {
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ(RestartError("Velora 2001"), boxes.shown[0].text);
    EXPECT_EQ("ERROR...", boxes.shown[0].caption);
    EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[0].style);
  } else {
    EXPECT_TRUE(boxes.shown.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Families, ApplyRestart,
    ::testing::Values(
        RestartCase{"98", true, 0, false, {"ExitWindows 2"}, false},
        RestartCase{"NT", true, 0, true,
                    {"OpenProcessToken", "EnableShutdownPrivilege", "ExitWindows 2"}, false},
        RestartCase{"2000", false, 0, true, {"OpenProcessToken"}, true},
        RestartCase{"2000", true, kErrorNotAllAssigned, true,
                    {"OpenProcessToken", "EnableShutdownPrivilege"}, true},
        RestartCase{"NT", true, 0, false,
                    {"OpenProcessToken", "EnableShutdownPrivilege", "ExitWindows 2"}, true}));

TEST_F(ApplyCommandTest, YesToTheRestartQuestionRestarts) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  boxes.answers = {kIdYes};
  Run();
  EXPECT_EQ(std::vector<std::string>{"ExitWindows 2"}, restart.log);
  EXPECT_EQ(1u, boxes.shown.size());
}

}  // namespace
}  // namespace vl
