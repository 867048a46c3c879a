#include <gtest/gtest.h>

#include <algorithm>

#include "res/resource.h"
#include "tests/unit/machine_fixtures.h"
#include "tuning/writers.h"

namespace vl {
namespace {

using machines::Changes;
using machines::kMstcp;
using machines::kNdiCache;
using machines::kTcpipParameters;
using machines::TuningNtMachine;
using machines::Tuning98Machine;

struct Texts {
  const char* mtu;
  const char* mss;
  const char* ttl;
  const char* rwin;
  const char* keepAlive;
  const char* ndi;
};
const Texts kDialUpTexts{"576", "536", "128", "x6", "10 min.", "16"};
const Texts kLanTexts{"1500", "1460", "32", "x4", "60 min.", "16"};

void Load(AppState& app, int mode, const Texts& t) {
  app.m_nConfigMode = mode;
  app.m_strMaxMtu = t.mtu;
  app.m_strMaxMss = t.mss;
  app.m_strTtl = t.ttl;
  app.m_strRwinMultiple = t.rwin;
  app.m_strKeepAlive = t.keepAlive;
  app.m_strNdiCache = t.ndi;
}

size_t CountOf(const std::vector<std::string>& lines, const std::string& needle) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(needle) != std::string::npos;
  });
}

// ---- Windows 9x/Me ----

class Apply9xTest : public Tuning98Machine {
 protected:
  Apply9xTest() {
    AddAdapter(0, "Dial-Up Adapter");
    AddAdapter(1, "Velora Ethernet");
  }
  std::string Binding(int index) { return "Set " + BindingKey(index); }
};

TEST_F(Apply9xTest, AutomaticModesWriteTheirValuesInOrderToTheMatchingAdapter) {
  struct Case {
    int mode;
    Texts texts;
    std::vector<std::string> expected;
  };
  const std::string mstcp = "Set " + kMstcp;
  const Case cases[] = {
      {ModeAutoDialUp, kDialUpTexts,
       {Binding(0) + " [MaxMTU] = \"576\"", Binding(0) + " [MaxMSS] = \"536\"",
        mstcp + " [DefaultRcvWindow] = 3216", mstcp + " [DefaultMSS] = \"536\"",
        mstcp + " [DefaultTTL] = \"128\"", mstcp + " [SessionKeepAlive] = 600000",
        mstcp + " [PMTUDiscovery] = 1", mstcp + " [PMTUBlackHoleDetect] = 0",
        "Set " + kNdiCache + " [] = \"16\""}},
      {ModeAutoLan, kLanTexts,
       {Binding(1) + " [MaxMTU] = \"1500\"", Binding(1) + " [MaxMSS] = \"1460\"",
        mstcp + " [DefaultRcvWindow] = 5840", mstcp + " [DefaultMSS] = \"1460\"",
        mstcp + " [DefaultTTL] = \"32\"", mstcp + " [SessionKeepAlive] = 3600000",
        mstcp + " [PMTUDiscovery] = 1", mstcp + " [PMTUBlackHoleDetect] = 0",
        "Set " + kNdiCache + " [] = \"16\""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    reg.ClearCalls();
    Load(app, c.mode, c.texts);
    WriteReport report = ApplySettings9x(app);
    EXPECT_EQ(c.expected, Changes(reg));
    EXPECT_EQ(1, report.adapters);
    EXPECT_FALSE(report.failed);
  }
  EXPECT_EQ(5840u, app.m_dwRcvWindow);
  EXPECT_EQ(3600000u, app.m_dwKeepAliveMs);
}

TEST_F(Apply9xTest, EveryDialUpAdapterGetsItsValuesAndTheGlobalsEachTime) {
  AddAdapter(7, "AOL Adapter");
  Load(app, ModeAutoDialUp, kDialUpTexts);
  WriteReport report = ApplySettings9x(app);
  auto changes = Changes(reg);
  EXPECT_EQ(2, report.adapters);
  EXPECT_EQ(1u, CountOf(changes, BindingKey(0) + " [MaxMTU] = \"576\""));
  EXPECT_EQ(1u, CountOf(changes, BindingKey(7) + " [MaxMTU] = \"576\""));
  EXPECT_EQ(0u, CountOf(changes, BindingKey(1)));
  EXPECT_EQ(2u, CountOf(changes, "[DefaultRcvWindow] = 3216"));
  EXPECT_EQ(2u, CountOf(changes, "[] = \"16\""));
}

TEST_F(Tuning98Machine, NoAdapterOfTheKindMeansNoWriteAtAll) {
  AddAdapter(0, "Dial-Up Adapter");
  for (int mode : {ModeAutoLan, ModeManual, ModeManualLan}) {
    Load(app, mode, kLanTexts);
    WriteReport report = ApplySettings9x(app);
    EXPECT_TRUE(Changes(reg).empty()) << mode;
    EXPECT_EQ(0, report.adapters);
    EXPECT_FALSE(report.failed);
  }
}

TEST_F(Apply9xTest, WindowAndKeepAliveFollowTheAtoiRulesIn32Bits) {
  struct Case {
    const char* rwin;
    const char* mss;
    const char* keepAlive;
    uint32_t window;
    uint32_t keepAliveMs;
  };
  const Case cases[] = {
      {"x6", "536", "10 min.", 3216, 600000},
      {"x0", "536", "5 min.", 8192, 300000},
      {"x", "1460", "0 min.", 8192, 0},
      {"", "1460", "min.", 8192, 0},
      {"x4", "0", " 7 min.", 8192, 420000},
      {"x4", "1460abc", "12min.", 5840, 60000},
      {"x5000000", "1460", "100000 min.", 3005032704u, 1705032704u},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.rwin) + " " + c.mss + " " + c.keepAlive);
    Load(app, ModeAutoLan, kLanTexts);
    app.m_strRwinMultiple = c.rwin;
    app.m_strMaxMss = c.mss;
    app.m_strKeepAlive = c.keepAlive;
    ApplySettings9x(app);
    EXPECT_EQ(c.window, app.m_dwRcvWindow);
    EXPECT_EQ(c.window, reg.GetDword(kMstcp, "DefaultRcvWindow"));
    EXPECT_EQ(c.keepAliveMs, app.m_dwKeepAliveMs);
    EXPECT_EQ(c.keepAliveMs, reg.GetDword(kMstcp, "SessionKeepAlive"));
  }
}

// The manual modes with a chosen kind read the Custom choices and the two
// check boxes per adapter; the plain manual mode and the automatic ones do not.
TEST_F(Apply9xTest, ManualModesReadTheFormAtWriteTime) {
  form.checked = {{IDC_RWIN_CUSTOM, true},  {IDC_KEEPALIVE_CUSTOM, true},
                  {IDC_NDI_CUSTOM, true},   {IDC_PMTU_DISCOVERY, false},
                  {IDC_PMTU_BLACKHOLE, true}};
  form.texts = {{IDC_RWIN_COMBO, "x8"}, {IDC_KEEPALIVE_COMBO, "5 min."}, {IDC_NDI_COMBO, "32"}};
  app.m_pFormView = &form;
  struct Case {
    int mode;
    bool readsForm;
  };
  for (const Case& c : {Case{ModeManualLan, true}, Case{ModeManualDialUp, true},
                        Case{ModeManual, false}, Case{ModeAutoLan, false}}) {
    SCOPED_TRACE(c.mode);
    Load(app, c.mode, kLanTexts);
    ApplySettings9x(app);
    EXPECT_EQ(c.readsForm ? "x8" : "x4", app.m_strRwinMultiple);
    EXPECT_EQ(c.readsForm ? "5 min." : "60 min.", app.m_strKeepAlive);
    EXPECT_EQ(c.readsForm ? 11680 : 5840, reg.GetDword(kMstcp, "DefaultRcvWindow"));
    EXPECT_EQ(c.readsForm ? 300000 : 3600000, reg.GetDword(kMstcp, "SessionKeepAlive"));
    EXPECT_EQ(c.readsForm ? "32" : "16", reg.GetSz(kNdiCache, ""));
    EXPECT_EQ(c.readsForm ? 0 : 1, reg.GetDword(kMstcp, "PMTUDiscovery"));
    EXPECT_EQ(c.readsForm ? 1 : 0, reg.GetDword(kMstcp, "PMTUBlackHoleDetect"));
  }
}

TEST_F(Apply9xTest, UncheckedCustomChoicesOrAMissingFormKeepTheTexts) {
  form.checked = {{IDC_PMTU_DISCOVERY, true}};
  form.texts = {{IDC_RWIN_COMBO, "x8"}, {IDC_KEEPALIVE_COMBO, "5 min."}, {IDC_NDI_COMBO, "32"}};
  for (IFormControls* view : {static_cast<IFormControls*>(&form), static_cast<IFormControls*>(nullptr)}) {
    app.m_pFormView = view;
    Load(app, ModeManualLan, kLanTexts);
    ApplySettings9x(app);
    EXPECT_EQ("x4", app.m_strRwinMultiple);
    EXPECT_EQ("60 min.", app.m_strKeepAlive);
    EXPECT_EQ("16", app.m_strNdiCache);
    EXPECT_EQ(view ? 1 : 0, reg.GetDword(kMstcp, "PMTUDiscovery"));
    EXPECT_EQ(0, reg.GetDword(kMstcp, "PMTUBlackHoleDetect"));
  }
}

TEST_F(Apply9xTest, MissingMstcpKeyLeavesOnlyTheAdapterValuesAndIsAFailure) {
  reg.RemoveKey(kMstcp);
  Load(app, ModeAutoDialUp, kDialUpTexts);
  WriteReport report = ApplySettings9x(app);
  EXPECT_EQ((std::vector<std::string>{Binding(0) + " [MaxMTU] = \"576\"",
                                      Binding(0) + " [MaxMSS] = \"536\""}),
            Changes(reg));
  EXPECT_EQ(1, report.adapters);
  EXPECT_TRUE(report.failed);
}

TEST_F(Apply9xTest, MachineWithoutNwlinkIsNoFailure) {
  reg.RemoveKey("HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink");
  Load(app, ModeAutoDialUp, kDialUpTexts);
  WriteReport report = ApplySettings9x(app);
  EXPECT_EQ(8u, Changes(reg).size());
  EXPECT_FALSE(report.failed);
}

TEST_F(Apply9xTest, AFailedWriteIsReportedAndTheRestStillWritten) {
  reg.fault = [](const RegCall& c) {
    return c.op == RegOp::Set && c.name == "DefaultTTL" ? kErrorAccessDenied : 0;
  };
  Load(app, ModeAutoDialUp, kDialUpTexts);
  WriteReport report = ApplySettings9x(app);
  EXPECT_TRUE(report.failed);
  EXPECT_EQ(1, report.adapters);
  EXPECT_EQ("<absent>", reg.GetSz(kMstcp, "DefaultTTL"));
  EXPECT_EQ(600000, reg.GetDword(kMstcp, "SessionKeepAlive"));
  EXPECT_EQ("16", reg.GetSz(kNdiCache, ""));
}

// ---- Windows NT/2000 ----

class ApplyNtTest : public TuningNtMachine {
 protected:
  ApplyNtTest() { AddCard(1, "[1] Velora Ethernet", "VlLan"); }
};

TEST_F(ApplyNtTest, AutomaticLanWritesNumbersToTheCardAndTheTcpipParameters) {
  Load(app, ModeAutoLan, kLanTexts);
  WriteReport report = ApplySettingsNt(app);
  const std::string global = "Set " + kTcpipParameters;
  EXPECT_EQ((std::vector<std::string>{"Set " + machines::Tcpip("VlLan") + " [MTU] = 1500",
                                      global + " [TcpWindowSize] = 5840",
                                      global + " [DefaultTTL] = 32",
                                      global + " [EnablePMTUDiscovery] = 1",
                                      global + " [EnablePMTUBHDetect] = 0"}),
            Changes(reg));
  EXPECT_EQ(1, report.adapters);
  EXPECT_FALSE(report.failed);
  EXPECT_EQ(5840u, app.m_dwRcvWindow);
}

TEST_F(ApplyNtTest, AutomaticDialUpWithoutWanWrapperWritesNothing) {
  Load(app, ModeAutoDialUp, kDialUpTexts);
  WriteReport report = ApplySettingsNt(app);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ(0, report.adapters);
}

TEST_F(ApplyNtTest, ManualModeReadsOnlyRwinAndTheChecksFromTheForm) {
  AddCard(2, "[2] Remote Access WAN Wrapper", "NdisWan");
  form.checked = {{IDC_RWIN_CUSTOM, true}, {IDC_KEEPALIVE_CUSTOM, true},
                  {IDC_PMTU_DISCOVERY, false}, {IDC_PMTU_BLACKHOLE, true}};
  form.texts = {{IDC_RWIN_COMBO, "x2"}, {IDC_KEEPALIVE_COMBO, "5 min."}};
  app.m_pFormView = &form;
  Load(app, ModeManualDialUp, kLanTexts);
  app.m_strMaxMtu = "1492";
  app.m_strMaxMss = "1452";
  WriteReport report = ApplySettingsNt(app);
  EXPECT_EQ(1, report.adapters);
  EXPECT_EQ(1492, reg.GetDword(machines::Tcpip("NdisWan"), "MTU"));
  EXPECT_EQ(nullptr, reg.Get(machines::Tcpip("VlLan"), "MTU"));
  EXPECT_EQ(2904, reg.GetDword(kTcpipParameters, "TcpWindowSize"));
  EXPECT_EQ(0, reg.GetDword(kTcpipParameters, "EnablePMTUDiscovery"));
  EXPECT_EQ(1, reg.GetDword(kTcpipParameters, "EnablePMTUBHDetect"));
  EXPECT_EQ("60 min.", app.m_strKeepAlive);
}

TEST_F(ApplyNtTest, CardWithoutTcpipKeyIsPassedOverAndNothingGlobalIsWritten) {
  reg.RemoveKey(machines::Tcpip("VlLan"));
  Load(app, ModeAutoLan, kLanTexts);
  WriteReport report = ApplySettingsNt(app);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ(0, report.adapters);
  EXPECT_FALSE(report.failed);
}

TEST_F(ApplyNtTest, MissingTcpipParametersIsAFailure) {
  reg.RemoveKey(kTcpipParameters);
  Load(app, ModeAutoLan, kLanTexts);
  WriteReport report = ApplySettingsNt(app);
  EXPECT_EQ(1u, Changes(reg).size());
  EXPECT_EQ(1, report.adapters);
  EXPECT_TRUE(report.failed);
}

}  // namespace
}  // namespace vl
