#include <gtest/gtest.h>

#include "app/startup.h"
#include "tests/unit/machine_fixtures.h"
#include "tuning/restore.h"
#include "tuning/writers.h"

namespace vl {
namespace {

using machines::Changes;
using machines::kMstcp;
using machines::kNdiCache;
using machines::kTcpipParameters;
using machines::TuningNtMachine;
using machines::Tuning98Machine;

const char kQuestion[] =
    "The program will restore Windows default settings.\n"
    "It will restore both your Dial-Up and LAN settings.\n"
    "Would you like to continue?";
const char kDone[] = "Windows default settings were successfully restored.";

const char* const kMstcpValues[] = {"DefaultRcvWindow", "DefaultMSS",    "DefaultTTL",
                                    "SessionKeepAlive", "PMTUDiscovery", "PMTUBlackHoleDetect"};

class Restore9xTest : public Tuning98Machine {
 protected:
  // What an automatic Dial-Up Apply leaves behind on a machine with a modem
  // and a network card.
  Restore9xTest() {
    AddAdapter(0, "Dial-Up Adapter");
    AddAdapter(1, "Velora Ethernet");
    app.m_nConfigMode = ModeAutoDialUp;
    app.m_strMaxMtu = "576";
    app.m_strMaxMss = "536";
    app.m_strTtl = "128";
    app.m_strRwinMultiple = "x6";
    app.m_strKeepAlive = "10 min.";
    app.m_strNdiCache = "16";
    ApplySettings9x(app);
    reg.ClearCalls();
  }
};

TEST_F(Restore9xTest, WritesEachDefaultThenDeletesItForEveryAdapter) {
  WriteReport report = RestoreDefaults9x(app, false);

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
  EXPECT_EQ(8192u, app.m_dwRcvWindow);
  EXPECT_EQ(3600000u, app.m_dwKeepAliveMs);
  EXPECT_EQ("x6", app.m_strRwinMultiple);
}

TEST_F(Restore9xTest, ConfirmationAsksFirstAndNoChangesNothing) {
  WriteReport report = RestoreDefaults9x(app, true);  // unscripted: No
  ASSERT_EQ(1u, boxes.shown.size());
  const ShownBox& box = boxes.shown[0];
  EXPECT_EQ(0u, box.owner);
  EXPECT_EQ(kQuestion, box.text);
  EXPECT_EQ("Velora 2001", box.caption);
  EXPECT_EQ(kMbYesNo | kMbIconQuestion | kMbDefButton2, box.style);
  EXPECT_TRUE(report.cancelled);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ("576", reg.GetSz(BindingKey(0), "MaxMTU"));
}

TEST_F(Restore9xTest, ConfirmedRestoreEndsWithTheSuccessNotice) {
  boxes.answers = {kIdYes};
  RestoreDefaults9x(app, true);
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(kDone, boxes.shown[1].text);
  EXPECT_EQ("Velora 2001", boxes.shown[1].caption);
  EXPECT_EQ(kMbOk | kMbIconInformation, boxes.shown[1].style);
  EXPECT_EQ(0u, boxes.shown[1].owner);
  EXPECT_EQ(nullptr, reg.Get(BindingKey(0), "MaxMTU"));
}

// Saying the defaults were restored when the registry refused them would
// leave the user trusting settings that are still there.
TEST_F(Restore9xTest, AFailedDeleteIsNeverCalledASuccess) {
  reg.fault = [](const RegCall& c) {
    return c.op == RegOp::Delete && c.name == "DefaultTTL" ? kErrorAccessDenied : 0;
  };
  boxes.answers = {kIdYes};
  WriteReport report = RestoreDefaults9x(app, true);
  EXPECT_TRUE(report.failed);
  EXPECT_EQ("32", reg.GetSz(kMstcp, "DefaultTTL"));  // the default stays written
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_NE(kDone, boxes.shown[1].text);
  EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[1].style);
}

TEST_F(Tuning98Machine, WithoutAdaptersNothingIsTouchedAndSuccessIsStillShown) {
  boxes.answers = {kIdYes};
  WriteReport report = RestoreDefaults9x(app, true);
  EXPECT_TRUE(Changes(reg).empty());
  EXPECT_EQ(0, report.adapters);
  ASSERT_EQ(2u, boxes.shown.size());
  EXPECT_EQ(kDone, boxes.shown[1].text);
}

TEST_F(TuningNtMachine, RestoresEveryCardAndTheTcpipParameters) {
  AddCard(1, "[1] Velora Ethernet", "VlLan");
  AddCard(2, "[2] Remote Access WAN Wrapper", "NdisWan");
  reg.PutDword(machines::Tcpip("VlLan"), "MTU", 1400);
  reg.PutDword(kTcpipParameters, "TcpWindowSize", 5840);
  WriteReport report = RestoreDefaultsNt(app, false);

  std::vector<std::string> expected;
  for (const char* service : {"VlLan", "NdisWan"}) {
    const std::string card = machines::Tcpip(service);
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
  EXPECT_EQ(nullptr, reg.Get(machines::Tcpip("VlLan"), "MTU"));
  EXPECT_EQ(nullptr, reg.Get(kTcpipParameters, "TcpWindowSize"));
}

TEST_F(TuningNtMachine, ACardWithoutTitleIsNotRestored) {
  AddCard(1, "[1] Velora Ethernet", "VlLan");
  reg.RemoveKey(machines::kNetCards + "1");
  reg.PutSz(machines::kNetCards + "1", "ServiceName", "VlLan");
  EXPECT_EQ(0, RestoreDefaultsNt(app, false).adapters);
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
