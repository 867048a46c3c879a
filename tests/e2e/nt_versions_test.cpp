// The program on each NT version as that Windows keeps its registry (NT 4,
// 2000, XP, 10), and in a prefix as Wine makes it: both automatic modes
// write exactly what that Windows reads, Undo puts every value and key back,
// the restore removes what it reads, the census and Current Settings see its
// cards and its dial-up line.
#include "tests/e2e/change_helpers.h"

namespace e2e {
namespace {

const NtMachine kMachines[] = {NtMachine::Nt4, NtMachine::Windows2000, NtMachine::WindowsXp,
                               NtMachine::Windows10};
const char kDialUpLine[] = "Dial-up, PPPoE and VPN connections";
constexpr char kVistaRestartQuestion[] =
    "System changes were successful done.\n"
    "RWIN was not written: Windows Vista and later size the receive window themselves.\n"
    "\nIn order to enjoy all the benefits of Velora 2001\n"
    "it's highly recommended to restart your computer.\n\nWould you like to restart your "
    "computer now?";

// Every value either automatic mode or a restore may touch on any of the
// machines, and the keys the Apply may make.
const Watched kNtValues[] = {
    {kNtLanTcpip, "MTU"},
    {kNtWanTcpip, "MTU"},
    {kCardInterface, "MTU"},
    {kCardOldStyleTcpip, "MTU"},
    {kNdisWanIp, "ProtocolMTU"},
    {kNdisWanIp, "ProtocolType"},
    {kNdisWanIp, "PPPProtocolType"},
    {kNtTcpipParameters, "TcpWindowSize"},
    {kNtTcpipParameters, "DefaultTTL"},
    {kNtTcpipParameters, "EnablePMTUDiscovery"},
    {kNtTcpipParameters, "EnablePMTUBHDetect"},
};
std::vector<std::string> NtSnapshot() {
  std::vector<std::string> values = Snapshot(kNtValues);
  for (const char* key : {kNdisWanIp, "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols"})
    values.push_back(std::string(key) + (KeyExists(key) ? " is there" : " is not there"));
  return values;
}

class NtVersions : public MainWindowTest {
 protected:
  // The values the automatic mode writes, where this Windows reads them;
  // nothing anywhere else.
  void ExpectWritten(NtMachine m, bool lan) {
    const bool nt4 = m == NtMachine::Nt4;
    const bool vista = m == NtMachine::Windows10;
    const long long mtu = lan ? 1500 : 576;
    EXPECT_EQ(nt4 && lan ? mtu : -1, GetDword(kNtLanTcpip, "MTU"));
    EXPECT_EQ(nt4 && !lan ? mtu : -1, GetDword(kNtWanTcpip, "MTU"));
    EXPECT_EQ(!nt4 && lan ? mtu : -1, GetDword(kCardInterface, "MTU"));
    EXPECT_EQ(-1, GetDword(kCardOldStyleTcpip, "MTU")) << "no Windows reads it there";
    EXPECT_EQ(!nt4 && !lan ? mtu : -1, GetDword(kNdisWanIp, "ProtocolMTU"));
    if (!nt4 && !lan) {
      EXPECT_EQ(0x800, GetDword(kNdisWanIp, "ProtocolType"));
      EXPECT_EQ(0x21, GetDword(kNdisWanIp, "PPPProtocolType"));
    }
    EXPECT_EQ(vista ? -1 : (lan ? 5840 : 3216), GetDword(kNtTcpipParameters, "TcpWindowSize"));
    EXPECT_EQ(lan ? 32 : 128, GetDword(kNtTcpipParameters, "DefaultTTL"));
    EXPECT_EQ(1, GetDword(kNtTcpipParameters, "EnablePMTUDiscovery"));
    EXPECT_EQ(0, GetDword(kNtTcpipParameters, "EnablePMTUBHDetect"));
  }
};

TEST_F(NtVersions, BothAutomaticModesWriteWhatEachWindowsReadsAndUndoPutsItBack) {
  for (NtMachine m : kMachines) {
    SCOPED_TRACE(NtMachineName(m));
    SeedNtMachine(m);
    const std::vector<std::string> before = NtSnapshot();
    ASSERT_TRUE(StartMain());
    const std::string restart =
        m == NtMachine::Windows10 ? kVistaRestartQuestion : kRestartQuestion;
    for (const bool lan : {true, false}) {
      SCOPED_TRACE(lan ? "LAN" : "Dial-Up");
      ASSERT_TRUE(ChooseMode(lan ? IDC_MODE_LAN : IDC_MODE_DIALUP,
                             lan ? kLanModeCaption : kDialUpModeCaption));
      SYSTEMTIME when;
      ASSERT_TRUE(ApplyFromTheMenu(&when, lan, restart));
      ExpectWritten(m, lan);
      ASSERT_TRUE(UndoFromTheMenu(lan ? "the Apply of Automatic Mode - LAN"
                                      : "the Apply of Automatic Mode - Dial-Up",
                                  when));
      EXPECT_EQ(before, NtSnapshot());
    }
    EXPECT_TRUE(CloseFrame(run_));
  }
}

TEST_F(NtVersions, TheRestoreRemovesWhatEachWindowsReadsAndIsUndone) {
  for (NtMachine m : kMachines) {
    SCOPED_TRACE(NtMachineName(m));
    SeedNtMachine(m);
    SetDword(kNtTcpipParameters, "DefaultTTL", 64);
    if (m == NtMachine::Nt4) {
      SetDword(kNtLanTcpip, "MTU", 1492);
    } else {
      SetDword(kCardInterface, "MTU", 1492);
      SetDword(kNdisWanIp, "ProtocolType", 0x800);
      SetDword(kNdisWanIp, "ProtocolMTU", 1400);
    }
    const std::vector<std::string> before = NtSnapshot();
    ASSERT_TRUE(StartMain());
    SYSTEMTIME when;
    ASSERT_TRUE(RestoreFromTheMenu(&when));
    for (const Watched& w : kNtValues) {
      if (std::string(w.name) == "ProtocolType") continue;
      EXPECT_FALSE(Get(w.key, w.name).exists) << w.key << " [" << w.name << "]";
    }
    // NdisWan's protocol stays: only its MTU was the program's to remove.
    if (m != NtMachine::Nt4) {
      EXPECT_EQ(0x800, GetDword(kNdisWanIp, "ProtocolType"));
    }

    ASSERT_TRUE(UndoFromTheMenu("the restore of the Windows default settings", when));
    EXPECT_EQ(before, NtSnapshot());
    EXPECT_TRUE(CloseFrame(run_));
  }
}

// Manual mode asks which kind to configure where the machine has both, and
// Current Settings shows each adapter where that Windows keeps its MTU.
TEST_F(NtVersions, TheCensusAndCurrentSettingsSeeTheCardsAndTheLine) {
  for (NtMachine m : kMachines) {
    SCOPED_TRACE(NtMachineName(m));
    SeedNtMachine(m);
    ASSERT_TRUE(StartMain());
    Click(run_.form, IDC_MODE_MANUAL);
    HWND dlg = WaitForWindow(run_.proc.pid(), "#32770", kManualModeCaption);
    ASSERT_NE(nullptr, dlg);
    EXPECT_TRUE(IsVisible(dlg, IDC_AUTO_ADAPTER_DIALUP) && IsVisible(dlg, IDC_AUTO_ADAPTER_LAN));
    ASSERT_TRUE(Answer(dlg, IDCANCEL));

    ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, kDialUpModeCaption));
    std::vector<std::string> rows;
    for (const std::string& line : CopiedTable())
      if (line.rfind("MTU ", 0) == 0 || line.rfind("RWIN ", 0) == 0) rows.push_back(line);
    std::vector<std::string> expected;
    if (m == NtMachine::Nt4) {
      expected = {"MTU (MTU)\t[1] Velora Test Ethernet Adapter\t(not set)\t",
                  "MTU (MTU)\t[2] Remote Access WAN Wrapper\t(not set)\t576",
                  "RWIN (TcpWindowSize)\tAll adapters\t(not set)\t3216"};
    } else {
      // Vista and later have a note column, empty but for the receive window.
      const std::string end = m == NtMachine::Windows10 ? "\t" : "";
      expected = {std::string("MTU (MTU)\t") + kCardName + "\t(not set)\t" + end,
                  std::string("MTU (ProtocolMTU)\t") + kDialUpLine + "\t(not set)\t576" + end};
      expected.push_back(m == NtMachine::Windows10
                             ? "RWIN (TcpWindowSize)\tAll adapters\t(not set)\t\tNot used by "
                               "Windows Vista and later: they size the receive window themselves"
                             : "RWIN (TcpWindowSize)\tAll adapters\t(not set)\t3216");
    }
    EXPECT_EQ(expected, rows);
    // Looking makes no key.
    EXPECT_FALSE(KeyExists(kNdisWanIp));
    EXPECT_TRUE(CloseFrame(run_));
  }
}

// A prefix as Wine makes it: Wine's cards, named by their descriptions, bound
// to nothing, and a Windows 7 without NdisWan. The program names the cards
// and says honestly why it tuned none.
using WinePrefix = MainWindowTest;

TEST_F(WinePrefix, NamesWinesCardsAndTellsThatNoneIsBoundToTcpip) {
  ClearMachine();
  const std::vector<std::string> cards = WineCardNames();
  ASSERT_FALSE(cards.empty()) << "Wine lists the host's network interfaces as cards";
  ASSERT_TRUE(StartMain());
  ASSERT_TRUE(ChooseMode(IDC_MODE_LAN, kLanModeCaption));
  PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
  ASSERT_TRUE(AnswerBox(kLanQuestion, IDYES));
  std::string text =
      "No Local Area Networking (LAN) adapter on this computer is bound to TCP/IP.\n"
      "No settings were changed. These adapters were found:\n\n";
  for (size_t i = 0; i < cards.size() && i < 10; ++i) text += "   " + cards[i] + "\n";
  if (cards.size() > 10) text += "   and " + std::to_string(cards.size() - 10) + " more\n";
  text +=
      "\nPlease bind TCP/IP to your adapter with Network in Control Panel,\n"
      "or choose the configuration that matches your connection.";
  ASSERT_TRUE(AnswerBox(text, IDOK));

  ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, kDialUpModeCaption));
  PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
  ASSERT_TRUE(AnswerBox(
      "No Dial-Up (Modem) adapter was found on this computer.\n"
      "No settings were changed.\n\n"
      "Please choose the configuration that matches your connection.",
      IDOK));
  for (const char* v : {"TcpWindowSize", "DefaultTTL", "EnablePMTUDiscovery"})
    EXPECT_FALSE(Get(kNtTcpipParameters, v).exists) << v;
  EXPECT_FALSE(KeyExists(ChangesKey())) << "nothing changed, nothing recorded";
  EXPECT_TRUE(CloseFrame(run_));
}

}  // namespace
}  // namespace e2e
