#include <gtest/gtest.h>

#include <algorithm>

#include "res/resource.h"
#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/fake_form.h"
#include "tests/unit/kit/machines.h"
#include "tuning/restore.h"
#include "tuning/writers.h"

namespace vl {
namespace {

using namespace machines;

TuningSettings Texts(const char* mtu, const char* mss, const char* ttl, const char* rwin,
                     const char* keepAlive, const char* ndi) {
  TuningSettings t;
  t.m_strMaxMtu = mtu;
  t.m_strMaxMss = mss;
  t.m_strTtl = ttl;
  t.m_strRwinMultiple = rwin;
  t.m_strKeepAlive = keepAlive;
  t.m_strNdiCache = ndi;
  return t;
}
const TuningSettings kDialUpTexts = Texts("576", "536", "128", "x6", "10 min.", "16");
const TuningSettings kLanTexts = Texts("1500", "1460", "32", "x4", "60 min.", "16");

size_t CountOf(const std::vector<std::string>& lines, const std::string& needle) {
  return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(needle) != std::string::npos;
  });
}

// The manual controls with a Custom choice checked in each list group and
// the two check boxes the other way round from the automatic modes.
void CheckCustomChoices(FakeFormWindow& form) {
  for (int id : {IDC_RWIN_CUSTOM, IDC_KEEPALIVE_CUSTOM, IDC_NDI_CUSTOM, IDC_PMTU_BLACKHOLE})
    form.SetCheck(id, true);
  form.SetText(IDC_RWIN_COMBO, "x8");
  form.SetText(IDC_KEEPALIVE_COMBO, "5 min.");
  form.SetText(IDC_NDI_COMBO, "32");
}

// ---- Windows 9x/Me ----

class Apply9xTest : public AppTest {
 protected:
  Apply9xTest() {
    Windows98(*this);
    AddAdapter(reg, 0, "Dial-Up Adapter");
    AddAdapter(reg, 1, "Velora Ethernet");
  }
  WriteReport Write(int mode, const TuningSettings& texts, const IFormControls* form = nullptr) {
    settings = texts;
    return ApplySettings9x(reg, mode, settings, form);
  }
  static std::string Binding(int index) { return "Set " + BindingKey(index); }

  TuningSettings settings;
};

TEST_F(Apply9xTest, AutomaticModesWriteTheirValuesInOrderToTheMatchingAdapter) {
  struct Case {
    int mode;
    TuningSettings texts;
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
    WriteReport report = Write(c.mode, c.texts);
    EXPECT_EQ(c.expected, Changes(reg));
    EXPECT_EQ(1, report.adapters);
    EXPECT_FALSE(report.failed);
  }
  EXPECT_EQ(5840u, settings.m_dwRcvWindow);
  EXPECT_EQ(3600000u, settings.m_dwKeepAliveMs);
}

TEST_F(Apply9xTest, EveryDialUpAdapterGetsItsValuesAndTheGlobalsEachTime) {
  AddAdapter(reg, 7, "AOL Adapter");
  WriteReport report = Write(ModeAutoDialUp, kDialUpTexts);
  auto changes = Changes(reg);
  EXPECT_EQ(2, report.adapters);
  EXPECT_EQ(1u, CountOf(changes, BindingKey(0) + " [MaxMTU] = \"576\""));
  EXPECT_EQ(1u, CountOf(changes, BindingKey(7) + " [MaxMTU] = \"576\""));
  EXPECT_EQ(0u, CountOf(changes, BindingKey(1)));
  EXPECT_EQ(2u, CountOf(changes, "[DefaultRcvWindow] = 3216"));
  EXPECT_EQ(2u, CountOf(changes, "[] = \"16\""));
}

TEST_F(Apply9xTest, NoAdapterOfTheKindMeansNoWriteAtAll) {
  reg.RemoveKey(AdapterKey(1));
  for (int mode : {ModeAutoLan, ModeManual, ModeManualLan}) {
    WriteReport report = Write(mode, kLanTexts);
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
    TuningSettings texts = kLanTexts;
    texts.m_strRwinMultiple = c.rwin;
    texts.m_strMaxMss = c.mss;
    texts.m_strKeepAlive = c.keepAlive;
    Write(ModeAutoLan, texts);
    EXPECT_EQ(c.window, settings.m_dwRcvWindow);
    EXPECT_EQ(c.window, reg.GetDword(kMstcp, "DefaultRcvWindow"));
    EXPECT_EQ(c.keepAliveMs, settings.m_dwKeepAliveMs);
    EXPECT_EQ(c.keepAliveMs, reg.GetDword(kMstcp, "SessionKeepAlive"));
  }
}

// The manual modes with a chosen kind read the Custom choices and the two
// check boxes per adapter; the plain manual mode and the automatic ones do not.
TEST_F(Apply9xTest, ManualModesReadTheFormAtWriteTime) {
  FakeFormWindow form;
  CheckCustomChoices(form);
  struct Case {
    int mode;
    bool readsForm;
  };
  for (const Case& c : {Case{ModeManualLan, true}, Case{ModeManualDialUp, true},
                        Case{ModeManual, false}, Case{ModeAutoLan, false}}) {
    SCOPED_TRACE(c.mode);
    Write(c.mode, kLanTexts, &form);
    EXPECT_EQ(c.readsForm ? "x8" : "x4", settings.m_strRwinMultiple);
    EXPECT_EQ(c.readsForm ? "5 min." : "60 min.", settings.m_strKeepAlive);
    EXPECT_EQ(c.readsForm ? 11680 : 5840, reg.GetDword(kMstcp, "DefaultRcvWindow"));
    EXPECT_EQ(c.readsForm ? 300000 : 3600000, reg.GetDword(kMstcp, "SessionKeepAlive"));
    EXPECT_EQ(c.readsForm ? "32" : "16", reg.GetSz(kNdiCache, ""));
    EXPECT_EQ(c.readsForm ? 0 : 1, reg.GetDword(kMstcp, "PMTUDiscovery"));
    EXPECT_EQ(c.readsForm ? 1 : 0, reg.GetDword(kMstcp, "PMTUBlackHoleDetect"));
  }
}

TEST_F(Apply9xTest, UncheckedCustomChoicesOrAMissingFormKeepTheTexts) {
  FakeFormWindow form;
  CheckCustomChoices(form);
  for (int id : {IDC_RWIN_CUSTOM, IDC_KEEPALIVE_CUSTOM, IDC_NDI_CUSTOM, IDC_PMTU_BLACKHOLE})
    form.SetCheck(id, false);
  form.SetCheck(IDC_PMTU_DISCOVERY, true);
  for (const IFormControls* view : {static_cast<IFormControls*>(&form),
                                    static_cast<IFormControls*>(nullptr)}) {
    Write(ModeManualLan, kLanTexts, view);
    EXPECT_EQ("x4", settings.m_strRwinMultiple);
    EXPECT_EQ("60 min.", settings.m_strKeepAlive);
    EXPECT_EQ("16", settings.m_strNdiCache);
    EXPECT_EQ(view ? 1 : 0, reg.GetDword(kMstcp, "PMTUDiscovery"));
    EXPECT_EQ(0, reg.GetDword(kMstcp, "PMTUBlackHoleDetect"));
  }
}

TEST_F(Apply9xTest, MissingMstcpKeyLeavesOnlyTheAdapterValuesAndIsAFailure) {
  reg.RemoveKey(kMstcp);
  WriteReport report = Write(ModeAutoDialUp, kDialUpTexts);
  EXPECT_EQ((std::vector<std::string>{Binding(0) + " [MaxMTU] = \"576\"",
                                      Binding(0) + " [MaxMSS] = \"536\""}),
            Changes(reg));
  EXPECT_EQ(1, report.adapters);
  EXPECT_TRUE(report.failed);
  EXPECT_TRUE(report.tcpipMissing) << "no MSTCP key: no TCP/IP";
}

TEST_F(Apply9xTest, MachineWithoutNwlinkIsNoFailure) {
  reg.RemoveKey(kNwlink);
  WriteReport report = Write(ModeAutoDialUp, kDialUpTexts);
  EXPECT_EQ(8u, Changes(reg).size());
  EXPECT_FALSE(report.failed);
}

TEST_F(Apply9xTest, AFailedWriteIsReportedAndTheRestStillWritten) {
  reg.fault = [](const RegCall& c) {
    return c.op == RegOp::Set && c.name == "DefaultTTL" ? kErrorAccessDenied : 0;
  };
  WriteReport report = Write(ModeAutoDialUp, kDialUpTexts);
  EXPECT_TRUE(report.failed);
  EXPECT_EQ(1, report.adapters);
  EXPECT_EQ("<absent>", reg.GetSz(kMstcp, "DefaultTTL"));
  EXPECT_EQ(600000, reg.GetDword(kMstcp, "SessionKeepAlive"));
  EXPECT_EQ("16", reg.GetSz(kNdiCache, ""));
}

// ---- Windows NT/2000 ----

class ApplyNtTest : public AppTest {
 protected:
  ApplyNtTest() {
    WindowsNt(*this);
    AddCard(reg, 1, "[1] Velora Ethernet", "VlLan");
  }
  WriteReport Write(int mode, const TuningSettings& texts, const IFormControls* form = nullptr) {
    settings = texts;
    return ApplySettingsNt(reg, mode, settings, form);
  }

  TuningSettings settings;
};

TEST_F(ApplyNtTest, AutomaticLanWritesNumbersToTheCardAndTheTcpipParameters) {
  WriteReport report = Write(ModeAutoLan, kLanTexts);
  const std::string global = "Set " + kTcpipParameters;
  EXPECT_EQ((std::vector<std::string>{"Set " + Tcpip("VlLan") + " [MTU] = 1500",
                                      global + " [TcpWindowSize] = 5840",
                                      global + " [DefaultTTL] = 32",
                                      global + " [EnablePMTUDiscovery] = 1",
                                      global + " [EnablePMTUBHDetect] = 0"}),
            Changes(reg));
  EXPECT_EQ(1, report.adapters);
  EXPECT_FALSE(report.failed);
  EXPECT_EQ(5840u, settings.m_dwRcvWindow);
}

TEST_F(ApplyNtTest, AutomaticDialUpWithoutWanWrapperWritesNothing) {
  WriteReport report = Write(ModeAutoDialUp, kDialUpTexts);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ(0, report.adapters);
}

TEST_F(ApplyNtTest, ManualModeReadsOnlyRwinAndTheChecksFromTheForm) {
  AddCard(reg, 2, "[2] Remote Access WAN Wrapper", "NdisWan");
  FakeFormWindow form;
  CheckCustomChoices(form);
  form.SetText(IDC_RWIN_COMBO, "x2");
  TuningSettings texts = kLanTexts;
  texts.m_strMaxMtu = "1492";
  texts.m_strMaxMss = "1452";
  WriteReport report = Write(ModeManualDialUp, texts, &form);
  EXPECT_EQ(1, report.adapters);
  EXPECT_EQ(1492, reg.GetDword(Tcpip("NdisWan"), "MTU"));
  EXPECT_EQ(nullptr, reg.Get(Tcpip("VlLan"), "MTU"));
  EXPECT_EQ(2904, reg.GetDword(kTcpipParameters, "TcpWindowSize"));
  EXPECT_EQ(0, reg.GetDword(kTcpipParameters, "EnablePMTUDiscovery"));
  EXPECT_EQ(1, reg.GetDword(kTcpipParameters, "EnablePMTUBHDetect"));
  EXPECT_EQ("60 min.", settings.m_strKeepAlive);
}

TEST_F(ApplyNtTest, CardWithoutTcpipKeyIsPassedOverAndNothingGlobalIsWritten) {
  reg.RemoveKey(Tcpip("VlLan"));
  WriteReport report = Write(ModeAutoLan, kLanTexts);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ(0, report.adapters);
  EXPECT_FALSE(report.failed);
}

TEST_F(ApplyNtTest, MissingTcpipParametersIsAFailure) {
  reg.RemoveKey(kTcpipParameters);
  WriteReport report = Write(ModeAutoLan, kLanTexts);
  EXPECT_EQ(1u, Changes(reg).size());
  EXPECT_EQ(1, report.adapters);
  EXPECT_TRUE(report.failed);
  EXPECT_TRUE(report.tcpipMissing);
}

// Windows 2000 and later read the MTU from the adapter's Interfaces key: it
// is written there too, where Windows made that key, and the key is never
// made where it is not.
TEST_F(ApplyNtTest, TheInterfacesKeyGetsTheMtuWhereItExists) {
  const std::string interfaces =
      "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
  reg.AddKey(interfaces + "VlLan");
  AddCard(reg, 2, "[2] Velora Ethernet", "{4D36E972-E325}");
  WriteReport report = Write(ModeAutoLan, kLanTexts);
  const std::vector<std::string> changes = Changes(reg);
  ASSERT_EQ(11u, changes.size());
  EXPECT_EQ("Set " + Tcpip("VlLan") + " [MTU] = 1500", changes[0]);
  EXPECT_EQ("Set " + interfaces + "VlLan [MTU] = 1500", changes[1]);
  EXPECT_EQ("Set " + Tcpip("{4D36E972-E325}") + " [MTU] = 1500", changes[6]);
  EXPECT_EQ("Set " + kTcpipParameters + " [TcpWindowSize] = 5840", changes[7]);
  EXPECT_FALSE(reg.HasKey(interfaces + "{4D36E972-E325}"));
  EXPECT_EQ(2, report.adapters);
  EXPECT_FALSE(report.failed);

  reg.ClearCalls();
  RestoreDefaultsNt(reg, settings);
  EXPECT_EQ(nullptr, reg.Get(interfaces + "VlLan", "MTU"));
  EXPECT_EQ(1u, CountOf(Changes(reg), "Delete " + interfaces + "VlLan [MTU]"));
}

}  // namespace
}  // namespace vl
