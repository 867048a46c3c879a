#include "tuning/current_settings.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/fake_form.h"
#include "tests/unit/kit/machines.h"

namespace vl {

// A row in a failed expectation, cell by cell.
void PrintTo(const SettingRow& r, std::ostream* os) {
  *os << "{" << r.setting << " | " << r.where << " | " << r.now << " | " << r.wouldWrite << " | "
      << r.note << "}";
}

namespace {

using namespace machines;

const char kModem[] = "Dial-Up Adapter";
const char kCard[] = "Realtek RTL8029(AS) PCI Ethernet NIC";

class CurrentSettingsTest : public AppTest {
 protected:
  // Reads the table, and makes sure that looking changed nothing.
  SettingsTable Read() {
    reg.ClearCalls();
    const TuningSettings before = app.m_tuning;
    SettingsTable table = ReadCurrentSettings(app);
    EXPECT_TRUE(reg.Writes().empty());
    for (const RegCall& c : reg.Calls()) {
      if (c.op == RegOp::Open) { EXPECT_EQ(kKeyRead, c.access) << c.path; }
    }
    EXPECT_EQ(before.m_strRwinMultiple, app.m_tuning.m_strRwinMultiple);
    EXPECT_EQ(before.m_strKeepAlive, app.m_tuning.m_strKeepAlive);
    return table;
  }

  // A Windows 98 machine with values of its own.
  void Seed98() {
    Windows98WithBoth(*this);
    reg.PutSz(BindingKey(0), "MaxMTU", "1492");
    reg.Put(BindingKey(1), "MaxMSS", kRegBinary, {0x05, 0xB4});
    reg.PutDword(kMstcp, "DefaultTTL", 64);
    reg.Put(kMstcp, "DefaultRcvWindow", kRegSz, {'8', '7', '6', '0'});
  }
};

TEST_F(CurrentSettingsTest, NinetyEightBeforeAnyModeIsChosen) {
  Seed98();
  const SettingsTable table = Read();
  EXPECT_EQ((std::vector<std::string>{"Setting", "Where", "Value now", "Your choice would write"}),
            table.columns);
  const std::vector<SettingRow> expected = {
      {"MTU (MaxMTU)", kModem, "1492", "", ""},
      {"MSS (MaxMSS)", kModem, kNotSet, "", ""},
      {"MTU (MaxMTU)", kCard, kNotSet, "", ""},
      {"MSS (MaxMSS)", kCard, "(type 3) 05 B4", "", ""},
      {"RWIN (DefaultRcvWindow)", kAllAdapters, "8760", "", ""},
      {"MSS (DefaultMSS)", kAllAdapters, kNotSet, "", ""},
      {"TTL (DefaultTTL)", kAllAdapters, "64", "", ""},
      {"Session Keep Alive (SessionKeepAlive)", kAllAdapters, kNotSet, "", ""},
      {"PMTU Auto Discovery (PMTUDiscovery)", kAllAdapters, kNotSet, "", ""},
      {"PMTU Black Hole Detect (PMTUBlackHoleDetect)", kAllAdapters, kNotSet, "", ""},
      {"NDI Cache (cachesize)", kAllAdapters, "0", "", ""},
  };
  EXPECT_EQ(expected, table.rows);
}

// The choice writes the adapters of its kind and the global values; the
// manual modes take the form's Custom lists as the Apply would.
TEST_F(CurrentSettingsTest, WhatTheChoiceWouldWrite) {
  Seed98();
  LoadAutoMode(app, ModeAutoDialUp);
  std::vector<std::string> wouldWrite;
  for (const SettingRow& r : Read().rows) wouldWrite.push_back(r.wouldWrite);
  EXPECT_EQ((std::vector<std::string>{"576", "536", "", "", "3216", "536", "128", "600000", "1",
                                       "0", "16"}),
            wouldWrite);

  FakeFormWindow form;
  app.m_pFormView = &form;
  for (int id : {IDC_RWIN_CUSTOM, IDC_KEEPALIVE_CUSTOM, IDC_NDI_CUSTOM, IDC_PMTU_BLACKHOLE})
    form.SetCheck(id, true);
  form.SetText(IDC_RWIN_COMBO, "x8");
  form.SetText(IDC_KEEPALIVE_COMBO, "5 min.");
  form.SetText(IDC_NDI_COMBO, "32");
  LoadAutoMode(app, ModeAutoLan);
  app.m_nConfigMode = ModeManualLan;
  wouldWrite.clear();
  for (const SettingRow& r : Read().rows) wouldWrite.push_back(r.wouldWrite);
  EXPECT_EQ((std::vector<std::string>{"", "", "1500", "1460", "11680", "1460", "32", "300000",
                                      "0", "1", "32"}),
            wouldWrite);
}

// On the NT family every card, its Interfaces key where Windows has one, and
// the Tcpip parameters; from Windows Vista on the receive-window row says
// that Windows does not use it.
TEST_F(CurrentSettingsTest, NtWithItsInterfacesKeysAndTheVistaNote) {
  Windows2000WithBoth(*this);
  reg.PutDword(kInterfaces + "El90x1", "MTU", 1454);
  reg.PutDword(kTcpipParameters, "TcpWindowSize", 64240);
  LoadAutoMode(app, ModeAutoLan);
  const char kWan[] = "Remote Access WAN Wrapper [1]";
  const char kNic[] = "3Com EtherLink XL 10/100 PCI NIC";
  std::vector<SettingRow> expected = {
      {"MTU (MTU)", kWan, kNotSet, "", ""},
      {"MTU (MTU)", kNic, kNotSet, "1500", ""},
      {"MTU (MTU of the Interfaces key)", kNic, "1454", "1500", ""},
      {"RWIN (TcpWindowSize)", kAllAdapters, "64240", "5840", ""},
      {"TTL (DefaultTTL)", kAllAdapters, kNotSet, "32", ""},
      {"PMTU Auto Discovery (EnablePMTUDiscovery)", kAllAdapters, kNotSet, "1", ""},
      {"PMTU Black Hole Detect (EnablePMTUBHDetect)", kAllAdapters, kNotSet, "0", ""},
  };
  SettingsTable table = Read();
  EXPECT_EQ(expected, table.rows);
  EXPECT_EQ(4u, table.columns.size());

  // Vista and later: the Apply leaves the receive window to Windows.
  app.m_strOsName = "NT";
  app.m_eWinVersion = WindowsVersion::Vista;
  expected[3].wouldWrite = "";
  expected[3].note = kNotUsedSinceVista;
  table = Read();
  EXPECT_EQ(expected, table.rows);
  EXPECT_EQ("Note", table.columns.at(4));
}

// From Windows 2000 on, a card's row is its Interfaces key and the dial-up
// line has one of its own, whose protocol key may be still to make.
TEST_F(CurrentSettingsTest, TheCardsAndTheDialUpLineOfWindowsXp) {
  NtMachine(*this, NtLayout::WindowsXp);
  LoadAutoMode(app, ModeAutoDialUp);
  const char kNic[] = "Intel(R) PRO/1000 MT Network Connection";
  const char kLine[] = "Dial-up, PPPoE and VPN connections";
  SettingsTable table = Read();
  ASSERT_LE(2u, table.rows.size());
  EXPECT_EQ((SettingRow{"MTU (MTU)", kNic, kNotSet, "", ""}), table.rows[0]);
  EXPECT_EQ((SettingRow{"MTU (ProtocolMTU)", kLine, kNotSet, "576", ""}), table.rows[1]);
  EXPECT_EQ("3216", table.rows[2].wouldWrite);

  reg.PutDword(kNdisWanProtocols + "0", "ProtocolType", 0x800);
  reg.PutDword(kNdisWanProtocols + "0", "ProtocolMTU", 1400);
  reg.PutDword(kInterfaces + kCardGuid, "MTU", 1492);
  table = Read();
  EXPECT_EQ("1492", table.rows[0].now);
  EXPECT_EQ("1400", table.rows[1].now);
  EXPECT_FALSE(reg.HasKey(kNdisWanProtocols + "1"));
}

// Without TCP/IP an Apply writes nothing, and the table says so.
TEST_F(CurrentSettingsTest, WithoutTcpipTheChoiceWritesNothing) {
  Seed98();
  reg.RemoveKey(kMstcp);
  LoadAutoMode(app, ModeAutoDialUp);
  for (const SettingRow& r : Read().rows) {
    EXPECT_EQ("", r.wouldWrite) << r.setting;
    if (r.where == kAllAdapters && r.setting != "NDI Cache (cachesize)") {
      EXPECT_EQ(kNotSet, r.now) << r.setting;
    }
  }
}

TEST(CurrentSettingsText, ValuesAsTheListShowsThem) {
  const struct {
    uint32_t type;
    std::vector<uint8_t> data;
    std::string text;
  } cases[] = {
      {kRegSz, {'5', '7', '6', 0}, "576"},
      {kRegSz, {'5', '7', '6'}, "576"},
      {kRegSz, {'1', 0, '2', 0}, "1"},
      {kRegExpandSz, {'%', 'x', '%', 0}, "%x%"},
      {kRegSz, {'a', '\t', 'b', '\r', '\n', 0}, "a b  "},
      {kRegDword, {0x90, 0x0C, 0, 0}, "3216"},
      {kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, "4294967295"},
      {kRegDword, {1, 2, 3}, "(type 4) 01 02 03"},
      {kRegBinary, {}, "(type 3)"},
      {kRegMultiSz, std::vector<uint8_t>(17, 0xAB),
       "(type 7) AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB AB ..."},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, RegistryValueText(c.type, c.data)) << c.text;
  EXPECT_EQ(std::string(200, 'x') + "...",
            RegistryValueText(kRegSz, std::vector<uint8_t>(500, 'x')));
}

TEST(CurrentSettingsText, TheClipboardTableIsTabSeparated) {
  SettingsTable table;
  table.columns = {"Setting", "Where", "Value now", "Your choice would write"};
  table.rows = {{"TTL (DefaultTTL)", kAllAdapters, "64", "128", "ignored"},
                {"MTU (MaxMTU)", kModem, kNotSet, "", ""}};
  EXPECT_EQ(
      "Setting\tWhere\tValue now\tYour choice would write\r\n"
      "TTL (DefaultTTL)\tAll adapters\t64\t128\r\n"
      "MTU (MaxMTU)\tDial-Up Adapter\t(not set)\t\r\n",
      SettingsTableText(table));
  table.columns.push_back("Note");
  EXPECT_EQ((std::vector<std::string>{"TTL (DefaultTTL)", kAllAdapters, "64", "128", "ignored"}),
            RowCells(table, table.rows[0]));
}

}  // namespace
}  // namespace vl
