#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/machines.h"
#include "tuning/restore.h"
#include "tuning/writers.h"

namespace vl {
namespace {

using namespace machines;

// The question and the success are pinned where the user sees them, in the
// Wine suite of the main window; the failure only shows here.
const char kFailed[] =
    "Windows default settings could not be fully restored.\n"
    "Some values could not be changed in the registry.\n\n"
    "Please log on as an administrator and restore them again.";

const char* const kMstcpValues[] = {"DefaultRcvWindow", "DefaultMSS",    "DefaultTTL",
                                    "SessionKeepAlive", "PMTUDiscovery", "PMTUBlackHoleDetect"};

class Restore9xTest : public AppTest {
 protected:
  // What an automatic Dial-Up Apply leaves behind on a machine with a modem
  // and a network card.
  Restore9xTest() {
    Windows98WithBoth(*this);
    LoadAutoMode(app, ModeAutoDialUp);
    ApplySettings9x(reg, app.m_nConfigMode, app.m_tuning, nullptr);
    reg.ClearCalls();
  }
};

TEST_F(Restore9xTest, WritesEachDefaultThenDeletesItForEveryAdapter) {
  WriteReport report = RestoreDefaults9x(reg, app.m_tuning);

  auto restored = [](const std::string& key, const std::string& name, const std::string& data) {
    return std::vector<std::string>{"Set " + key + " [" + name + "] = " + data,
                                    "Delete " + key + " [" + name + "]"};
  };
  std::vector<std::string> expected;
  for (int index : {0, 1}) {
    for (auto rows : {restored(BindingKey(index), "MaxMTU", "\"1500\""),
                      restored(BindingKey(index), "MaxMSS", "\"1460\""),
                      restored(kMstcp, "DefaultRcvWindow", "8192"),
                      restored(kMstcp, "DefaultMSS", "\"1460\""),
                      restored(kMstcp, "DefaultTTL", "\"32\""),
                      restored(kMstcp, "SessionKeepAlive", "3600000"),
                      restored(kMstcp, "PMTUDiscovery", "1"),
                      restored(kMstcp, "PMTUBlackHoleDetect", "0")})
      expected.insert(expected.end(), rows.begin(), rows.end());
    expected.push_back("Set " + kNdiCache + " [] = \"0\"");
  }
  EXPECT_EQ(expected, Changes(reg));

  EXPECT_EQ(nullptr, reg.Get(BindingKey(0), "MaxMTU"));
  EXPECT_EQ(nullptr, reg.Get(BindingKey(0), "MaxMSS"));
  for (const char* name : kMstcpValues) EXPECT_EQ(nullptr, reg.Get(kMstcp, name)) << name;
  EXPECT_EQ("0", reg.GetSz(kNdiCache, ""));
  EXPECT_EQ(2, report.adapters);
  EXPECT_FALSE(report.failed);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(8192u, app.m_tuning.m_dwRcvWindow);
  EXPECT_EQ(3600000u, app.m_tuning.m_dwKeepAliveMs);
  EXPECT_EQ("x6", app.m_tuning.m_strRwinMultiple);
}

TEST_F(Restore9xTest, TheCommandAsksFirstAndNoChangesNothing) {
  WriteReport report = RunRestoreCommand(app);  // unscripted: No
  const ShownBox question{0, kRestoreQuestion, "Velora 2001",
                          kMbYesNo | kMbIconQuestion | kMbDefButton2};
  EXPECT_EQ(std::vector<ShownBox>{question}, boxes.shown);
  EXPECT_TRUE(report.cancelled);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ("576", reg.GetSz(BindingKey(0), "MaxMTU"));
}

// The command restores the family the OS name says and tells the outcome.
// Saying the defaults were restored when the registry refused them would
// leave the user trusting settings that are still there.
TEST_F(Restore9xTest, TheCommandRestoresTheRunningFamilyAndTellsTheOutcome) {
  AddCard(reg, 1, "[1] Velora Ethernet", "VlLan");
  reg.AddKey(kTcpipParameters);
  const struct {
    const char* os;
    bool refused;
    const char* told;
    unsigned icon;
  } cases[] = {
      {"2000", false, kRestoreDone, kMbIconInformation},
      {"98", true, kFailed, kMbIconExclamation},
      {"98", false, kRestoreDone, kMbIconInformation},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.os) + (c.refused ? " refused" : ""));
    app.m_strOsName = c.os;
    boxes.shown.clear();
    boxes.answers = {kIdYes};
    reg.fault = [&](const RegCall& call) {
      return c.refused && call.op == RegOp::Delete && call.name == "DefaultTTL"
                 ? kErrorAccessDenied
                 : 0;
    };
    reg.ClearCalls();
    WriteReport report = RunRestoreCommand(app);
    EXPECT_EQ(c.refused, report.failed);
    ASSERT_EQ(2u, boxes.shown.size());
    EXPECT_EQ((ShownBox{0, c.told, "Velora 2001", kMbOk | c.icon}), boxes.shown[1]);
    const bool nt = std::string(c.os) == "2000";
    bool touchedNt = false, touched9x = false;
    for (const std::string& change : Changes(reg)) {
      touchedNt |= change.find("Tcpip") != std::string::npos;
      touched9x |= change.find("MSTCP") != std::string::npos;
    }
    EXPECT_EQ(nt, touchedNt);
    EXPECT_EQ(!nt, touched9x);
    if (c.refused) {
      EXPECT_EQ("32", reg.GetSz(kMstcp, "DefaultTTL")) << "the default stays";
    }
  }
}

TEST_F(AppTest, WithoutAdaptersNothingIsTouchedAndSuccessIsStillShown) {
  Windows98(*this);
  boxes.answers = {kIdYes};
  WriteReport report = RunRestoreCommand(app);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ(0, report.adapters);
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(kRestoreDone, boxes.shown[1].text);
}

TEST_F(AppTest, RestoresEveryNtCardAndTheTcpipParameters) {
  WindowsNt(*this);
  AddCard(reg, 1, "[1] Velora Ethernet", "VlLan");
  AddCard(reg, 2, "[2] Remote Access WAN Wrapper", "NdisWan");
  reg.PutDword(Tcpip("VlLan"), "MTU", 1400);
  reg.PutDword(kTcpipParameters, "TcpWindowSize", 5840);
  WriteReport report = RestoreDefaultsNt(reg, app.m_tuning);

  std::vector<std::string> expected;
  for (const char* service : {"VlLan", "NdisWan"}) {
    const std::string card = Tcpip(service);
    for (const auto& row : std::vector<std::pair<std::string, std::string>>{
             {card + " [MTU]", "1500"},
             {kTcpipParameters + " [TcpWindowSize]", "8192"},
             {kTcpipParameters + " [DefaultTTL]", "32"},
             {kTcpipParameters + " [EnablePMTUDiscovery]", "1"},
             {kTcpipParameters + " [EnablePMTUBHDetect]", "0"}}) {
      expected.push_back("Set " + row.first + " = " + row.second);
      expected.push_back("Delete " + row.first);
    }
  }
  EXPECT_EQ(expected, Changes(reg));
  EXPECT_EQ(2, report.adapters);
  EXPECT_EQ(nullptr, reg.Get(Tcpip("VlLan"), "MTU"));
  EXPECT_EQ(nullptr, reg.Get(kTcpipParameters, "TcpWindowSize"));
}

TEST_F(AppTest, ANtCardWithoutTitleIsNotRestored) {
  WindowsNt(*this);
  AddCard(reg, 1, "[1] Velora Ethernet", "VlLan");
  reg.RemoveKey(kNetCards + "1");
  reg.PutSz(kNetCards + "1", "ServiceName", "VlLan");
  EXPECT_EQ(0, RestoreDefaultsNt(reg, app.m_tuning).adapters);
  EXPECT_TRUE(Changes(reg).empty());
}

// The uninstall run restores both families without a word: on a Windows 98
// registry the NT part finds no cards and leaves the Tcpip values alone.
TEST_F(Restore9xTest, UninstallVerbRestoresSilently) {
  reg.PutDword(kTcpipParameters, "DefaultTTL", 64);
  EXPECT_EQ(StartupAction::End, RunStartup(app, "C:\\VELORA\\VELORA.EXE /Uninstall"));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_EQ(nullptr, reg.Get(BindingKey(0), "MaxMTU"));
  EXPECT_EQ(nullptr, reg.Get(kMstcp, "DefaultRcvWindow"));
  EXPECT_EQ("0", reg.GetSz(kNdiCache, ""));
  EXPECT_EQ(64, reg.GetDword(kTcpipParameters, "DefaultTTL"));
}

}  // namespace
}  // namespace vl
