#include "tuning/apply_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/app_state.h"
#include "platform/mem/mem_registry.h"
#include "platform/mem/mem_system.h"
#include "res/resource.h"
#include "tuning/form_controls.h"

namespace vl {
namespace {

constexpr WindowHandle kFrame = 0x4242;

// Records what the command does to the main window, in one log that the
// registry's writes also go into, so the writer's place among the steps shows.
struct ApplyLog {
  std::vector<std::string> events;
  int steps = 0;
};

class FakeUi : public IApplyUi {
 public:
  explicit FakeUi(ApplyLog& log) : log_(log) {}
  WindowHandle Owner() override { return kFrame; }
  void CreateProgress() override { log_.events.push_back("Create"); }
  void ShowProgress() override { log_.events.push_back("Show"); }
  void SetRange(int lo, int hi) override {
    log_.events.push_back("Range " + std::to_string(lo) + "-" + std::to_string(hi));
  }
  void SetStep(int s) override { log_.events.push_back("Step " + std::to_string(s)); }
  void SetPos(int p) override { log_.events.push_back("Pos " + std::to_string(p)); }
  void StepIt() override { ++log_.steps; }
  void DestroyProgress() override { log_.events.push_back("Destroy"); }
  void BeginWaitCursor() override { log_.events.push_back("BeginWait"); }
  void EndWaitCursor() override { log_.events.push_back("EndWait"); }

 private:
  ApplyLog& log_;
};

class FakeForm : public IFormControls {
 public:
  bool IsChecked(int id) const override {
    auto it = checks.find(id);
    return it != checks.end() && it->second;
  }
  std::string GetText(int id) const override {
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  }
  void SetCheck(int id, bool checked) override { checks[id] = checked; }
  std::map<int, bool> checks;
  std::map<int, std::string> texts;
};

const char kMstcp[] = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kTcpip[] = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

class ApplyCommandTest : public ::testing::Test {
 protected:
  ApplyCommandTest() : ui(log) {
    app.sys = Platform{&reg, &boxes, &shell, &files, &pacer, &restart};
    app.m_settings.Attach(&reg);
    app.m_settings.SetBaseKey("SOFTWARE\\Norwick Ltd\\Velora 2001");
    app.m_strProductName = "Velora 2001";
    app.m_strVersion = "v5.1";
    app.m_pFormView = &form;
    reg.PutSz("HKLM\\SOFTWARE\\Norwick Ltd\\Velora 2001\\Install", "Folder", "C:\\Velora");
    files.AddDirectory("C:\\Velora");
    pacer.onWait = [this](uint64_t) { waitsBeforeStep.push_back(log.steps); };
    reg.fault = [this](const RegCall& c) {
      if (c.op == RegOp::Set) log.events.push_back("write@" + std::to_string(log.steps));
      return 0L;
    };
  }

  // One "Dial-Up Adapter" on a Windows 98 machine.
  void SeedWin98() {
    app.m_strOsName = "98";
    reg.PutSz("HKLM\\Enum\\Root\\Net\\0000", "DeviceDesc", "Dial-Up Adapter");
    reg.PutSz("HKLM\\Enum\\Root\\Net\\0000\\Bindings", "MSTCP\\0000", "");
    reg.PutSz("HKLM\\Enum\\Network\\MSTCP\\0000", "Driver", "NetTrans\\0000");
    reg.AddKey("HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000");
    reg.AddKey(kMstcp);
    reg.AddKey("HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize");
  }

  // One LAN card on a Windows 2000 machine.
  void SeedNt() {
    app.m_strOsName = "2000";
    const std::string card = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\1";
    reg.PutSz(card, "Title", "[1] Test Ethernet Adapter");
    reg.PutSz(card, "ServiceName", "E100");
    reg.AddKey("HKLM\\SYSTEM\\CurrentControlSet\\Services\\E100\\Parameters\\Tcpip");
    reg.AddKey(kTcpip);
  }

  void Run(bool deferred = false) {
    reg.ClearCalls();
    log.events.clear();
    RunApplyCommand(app, ui, deferred);
  }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> t;
    for (const auto& b : boxes.shown) t.push_back(b.text);
    return t;
  }

  AppState app;
  MemRegistry reg;
  MemMessageBoxes boxes;
  MemShell shell;
  MemFiles files;
  MemPacer pacer;
  MemRestart restart;
  FakeForm form;
  ApplyLog log;
  FakeUi ui;
  std::vector<int> waitsBeforeStep;
};

struct RefusalCase {
  int mode;
  const char* mtu;
  const char* ttl;
  const char* message;
};

class ApplyRefusal : public ApplyCommandTest,
                     public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ApplyRefusal, ShowsOneExclamationAndWritesNothing) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  app.m_nConfigMode = GetParam().mode;
  app.m_strMaxMtu = GetParam().mtu;
  app.m_strTtl = GetParam().ttl;
  Run(true);
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ(GetParam().message, boxes.shown[0].text);
  EXPECT_EQ("Velora 2001", boxes.shown[0].caption);
  EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[0].style);
  EXPECT_EQ(kFrame, boxes.shown[0].owner);
  EXPECT_TRUE(reg.Writes().empty());
  EXPECT_TRUE(log.events.empty()) << "no progress bar for a refused Apply";
  EXPECT_FALSE(files.Exists("C:\\Velora\\Velora.cfg")) << "a refused Apply records nothing";
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
  app.m_strMaxMtu = "40";
  Run();
  EXPECT_EQ("40", reg.GetSz("HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000",
                            "MaxMTU"));
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(RestartQuestion("Velora 2001"), boxes.shown[0].text);
}

TEST_F(ApplyCommandTest, PacedStepsWithTheWriterAtStep75) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  Run();
  std::vector<std::string> expected = {"Create", "BeginWait", "Show",    "Range 0-100",
                                       "Step 1", "Pos 0"};
  for (int i = 0; i < 9; ++i) expected.push_back("write@74");  // 2 binding + 6 MSTCP + NDI
  expected.push_back("EndWait");
  expected.push_back("Destroy");
  EXPECT_EQ(expected, log.events);
  EXPECT_EQ(100, log.steps);
  ASSERT_EQ(100u, pacer.waits.size());
  uint64_t total = 0;
  for (int step = 1; step <= 100; ++step) {
    EXPECT_EQ(ApplyStepCount(step), pacer.waits[step - 1]);
    EXPECT_EQ(step - 1, waitsBeforeStep[step - 1]) << "each wait comes before its step";
    total += pacer.waits[step - 1];
  }
  EXPECT_EQ(1083000000u, total);
  EXPECT_EQ(5000000u, ApplyStepCount(14));
  EXPECT_EQ(20000000u, ApplyStepCount(15));
  EXPECT_EQ(10000000u, ApplyStepCount(74));
  EXPECT_EQ(17000000u, ApplyStepCount(75));
  EXPECT_EQ(20000000u, ApplyStepCount(84));
  EXPECT_EQ(1000000u, ApplyStepCount(85));
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
  EXPECT_EQ(1500, reg.GetDword("HKLM\\SYSTEM\\CurrentControlSet\\Services\\E100\\Parameters\\Tcpip",
                               "MTU"));
  EXPECT_EQ(5840, reg.GetDword(kTcpip, "TcpWindowSize"));
}

TEST_F(ApplyCommandTest, LanNoThenNoWritesNothing) {
  SeedNt();
  LoadAutoMode(app, ModeAutoLan);
  boxes.answers = {kIdNo, kIdNo};
  Run(true);
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(LanSecondQuestion("Velora 2001"), boxes.shown[1].text);
  EXPECT_EQ(kMbYesNo | kMbIconQuestion, boxes.shown[1].style);
  EXPECT_EQ(ModeAutoLan, app.m_nConfigMode);
  EXPECT_TRUE(reg.Writes().empty());
  EXPECT_FALSE(app.m_bApplyPending);
  EXPECT_FALSE(files.Exists("C:\\Velora\\Velora.cfg"));
}

TEST_F(ApplyCommandTest, LanNoThenYesSwitchesToDialUpAndDefers) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoLan);
  form.checks[IDC_MODE_LAN] = true;
  boxes.answers = {kIdNo, kIdYes};
  Run(true);
  EXPECT_EQ(2u, boxes.shown.size());
  EXPECT_TRUE(reg.Writes().empty());
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(ModeAutoDialUp, app.m_nConfigMode);
  EXPECT_EQ("Dial-Up Networking (Modem) - Automatically Configured", app.m_strActiveConfig);
  EXPECT_EQ("576", app.m_strMaxMtu);
  EXPECT_EQ("x6", app.m_strRwinMultiple);
  EXPECT_TRUE(form.IsChecked(IDC_MODE_DIALUP));
  EXPECT_FALSE(form.IsChecked(IDC_MODE_LAN));
  EXPECT_TRUE(app.m_bApplyPending);
  EXPECT_FALSE(files.Exists("C:\\Velora\\Velora.cfg"));

  // The next pane update runs it deferred: Dial-Up values, and the file.
  app.m_bApplyPending = false;
  boxes.shown.clear();
  Run(true);
  EXPECT_EQ("576", reg.GetSz("HKLM\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000",
                             "MaxMTU"));
  EXPECT_EQ(3216, reg.GetDword(kMstcp, "DefaultRcvWindow"));
  EXPECT_EQ("Dial-Up Networking (Modem) - Automatically Configured",
            files.Content("C:\\Velora\\Velora.cfg"));
}

TEST_F(ApplyCommandTest, ManualWithoutChosenKindWritesLanAdaptersWithoutQuestion) {
  SeedNt();
  LoadAutoMode(app, ModeAutoLan);
  app.m_nConfigMode = ModeManual;
  Run();
  EXPECT_EQ(RestartQuestion("Velora 2001"), boxes.shown.at(0).text);
  EXPECT_EQ(1500, reg.GetDword("HKLM\\SYSTEM\\CurrentControlSet\\Services\\E100\\Parameters\\Tcpip",
                               "MTU"));
}

// An Apply that changed nothing must not claim success nor offer a restart.
TEST_F(ApplyCommandTest, NoAdapterOfTheKindIsReportedWithoutRestart) {
  SeedNt();  // a LAN card only
  LoadAutoMode(app, ModeAutoDialUp);
  Run(true);
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ(NoAdapterMessage(ModeAutoDialUp), boxes.shown[0].text);
  EXPECT_NE(std::string::npos, boxes.shown[0].text.find("Dial-Up (Modem)"));
  EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[0].style);
  EXPECT_EQ("Velora 2001", boxes.shown[0].caption);
  EXPECT_TRUE(restart.log.empty());
  EXPECT_FALSE(files.Exists("C:\\Velora\\Velora.cfg"));
}

TEST_F(ApplyCommandTest, RegistryWriteFailureIsReportedWithoutRestart) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  reg.fault = [](const RegCall& c) { return c.op == RegOp::Set ? kErrorAccessDenied : 0L; };
  Run(true);
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ(WriteFailedMessage(ModeAutoDialUp), boxes.shown[0].text);
  EXPECT_NE(std::string::npos, boxes.shown[0].text.find("administrator"));
  EXPECT_TRUE(restart.log.empty());
  EXPECT_FALSE(files.Exists("C:\\Velora\\Velora.cfg"));
}

TEST_F(ApplyCommandTest, DeferredApplyRecordsTheAppliedConfiguration) {
  SeedWin98();
  LoadAutoMode(app, ModeAutoDialUp);
  files.AddFile("C:\\Velora\\Velora.cfg", "old", kFileAttributeReadOnly | kFileAttributeHidden |
                                                   kFileAttributeSystem);
  Run(true);
  EXPECT_EQ("Dial-Up Networking (Modem) - Automatically Configured",
            files.Content("C:\\Velora\\Velora.cfg"));
  Run(false);  // the menu's Apply leaves the file alone
  EXPECT_EQ(1, std::count_if(files.log.begin(), files.log.end(), [](const std::string& l) {
              return l.rfind("WriteTextFile", 0) == 0;
            }));
}

struct RestartCase {
  const char* os;
  bool tokenOpens;
  unsigned long privilegeError;
  bool exitSucceeds;
  std::vector<std::string> calls;
  bool errorShown;
};

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
