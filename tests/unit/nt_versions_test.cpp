// The Apply on each NT version as that Windows keeps its registry: exactly
// the values that Windows reads, the end of the Apply saying what it
// ignores, and the running interfaces told their MTU where Windows can.
#include <gtest/gtest.h>

#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/machines.h"
#include "tests/unit/kit/recording_apply_ui.h"
#include "tuning/apply_command.h"
#include "tuning/restore.h"

namespace vl {
namespace {

using namespace machines;

// The writes and deletes of the TCP/IP settings, the program's own key left
// out.
std::vector<std::string> TuningChanges(const MemRegistry& reg) {
  std::vector<std::string> out;
  for (const std::string& c : Changes(reg))
    if (c.find("Norwick Ltd") == std::string::npos) out.push_back(c);
  return out;
}

void Apply(MemApp& m, int mode) {
  LoadAutoMode(m.app, static_cast<ConfigMode>(mode));
  m.boxes.answers = {kIdNo};  // no restart now
  if (mode == ModeAutoLan) m.boxes.answers.push_front(kIdYes);  // a LAN indeed
  m.reg.ClearCalls();
  RecordingApplyUi ui;
  RunApplyCommand(m.app, ui, ApplyOrigin::Menu);
}

const std::string kParams = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const std::string kInterface = kParams + "\\Interfaces\\" + kCardGuid;
const std::string kLine = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0";

std::vector<std::string> Globals(const char* window, const char* ttl) {
  std::vector<std::string> out;
  if (window) out.push_back("Set " + kParams + " [TcpWindowSize] = " + window);
  out.push_back("Set " + kParams + " [DefaultTTL] = " + ttl);
  out.push_back("Set " + kParams + " [EnablePMTUDiscovery] = 1");
  out.push_back("Set " + kParams + " [EnablePMTUBHDetect] = 0");
  return out;
}
std::vector<std::string> Then(std::vector<std::string> first, const std::vector<std::string>& more) {
  first.insert(first.end(), more.begin(), more.end());
  return first;
}

TEST(NtVersions, BothAutomaticModesWriteWhatEachWindowsReads) {
  const std::string nt4Card =
      "Set HKLM\\SYSTEM\\CurrentControlSet\\Services\\El59x1\\Parameters\\Tcpip [MTU] = 1500";
  const std::string nt4Wan =
      "Set HKLM\\SYSTEM\\CurrentControlSet\\Services\\NdisWan5\\Parameters\\Tcpip [MTU] = 576";
  const std::vector<std::string> line = {"Set " + kLine + " [ProtocolType] = 2048",
                                         "Set " + kLine + " [PPPProtocolType] = 33",
                                         "Set " + kLine + " [ProtocolMTU] = 576"};
  const std::string card = "Set " + kInterface + " [MTU] = 1500";
  const struct {
    NtLayout layout;
    int mode;
    std::vector<std::string> writes;
  } cases[] = {
      {NtLayout::Nt4, ModeAutoLan, Then({nt4Card}, Globals("5840", "32"))},
      {NtLayout::Nt4, ModeAutoDialUp, Then({nt4Wan}, Globals("3216", "128"))},
      {NtLayout::Windows2000, ModeAutoLan, Then({card}, Globals("5840", "32"))},
      {NtLayout::Windows2000, ModeAutoDialUp, Then(line, Globals("3216", "128"))},
      {NtLayout::WindowsXp, ModeAutoLan, Then({card}, Globals("5840", "32"))},
      {NtLayout::WindowsXp, ModeAutoDialUp, Then(line, Globals("3216", "128"))},
      {NtLayout::Windows10, ModeAutoLan, Then({card}, Globals(nullptr, "32"))},
      {NtLayout::Windows10, ModeAutoDialUp, Then(line, Globals(nullptr, "128"))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(LayoutName(c.layout)) + (c.mode == ModeAutoLan ? ", LAN" : ", Dial-Up"));
    MemApp m;
    m.Install();
    NtMachine(m, c.layout);
    Apply(m, c.mode);
    EXPECT_EQ(c.writes, TuningChanges(m.reg));

    // The end of the Apply: the restart question, which says what this
    // Windows ignores.
    const bool vista = c.layout == NtLayout::Windows10;
    ASSERT_LE(2u, m.boxes.shown.size());
    const ShownBox& question = m.boxes.shown[m.boxes.shown.size() - 2];
    EXPECT_EQ(RestartQuestion("Velora 2001", vista ? kReceiveWindowIgnored : ""), question.text);
    // Vista and later also give the running card its MTU at once.
    EXPECT_EQ(vista && c.mode == ModeAutoLan ? std::vector<std::string>{std::string(kCardGuid) + " 1500"}
                                             : std::vector<std::string>{},
              m.ipInterfaces.calls);
    EXPECT_EQ(0u, m.reg.OpenHandles());
  }
}

TEST(NtVersions, TheRestartQuestionTellsWhatVistaIgnores) {
  EXPECT_EQ(
      "System changes were successful done.\n"
      "RWIN was not written: Windows Vista and later size the receive window themselves.\n"
      "\nIn order to enjoy all the benefits of Velora 2001\n"
      "it's highly recommended to restart your computer.\n\n"
      "Would you like to restart your computer now?",
      RestartQuestion("Velora 2001", kReceiveWindowIgnored));
  EXPECT_EQ(0u, RestartQuestion("Velora 2001").find("System changes were successful done.\n\nIn"));
}

// A refusal of the running interface (Wine answers so) changes nothing the
// user sees: the registry value takes effect at the restart.
TEST(NtVersions, ARunningInterfaceThatRefusesIsNotMentioned) {
  MemApp m;
  m.Install();
  NtMachine(m, NtLayout::Windows10);
  m.ipInterfaces.status = kErrorNotSupported;
  Apply(m, ModeAutoLan);
  EXPECT_EQ(1u, m.ipInterfaces.calls.size());
  ASSERT_EQ(3u, m.boxes.shown.size());  // the LAN question, the restart question, the reminder
  EXPECT_EQ(kRestartReminder, m.boxes.shown[2].text);
}

// Cards that TCP/IP is not bound to, as in a prefix as Wine makes it: the
// user learns which cards were found and why none was worked on.
TEST(NtVersions, CardsWithoutTcpipAreNamedWhenNoneIsWorkedOn) {
  MemApp m;
  m.Install();
  NtMachine(m, NtLayout::Windows10);
  m.reg.RemoveKey(kInterface);
  m.reg.PutSz(kNetCards + "2", "Description", "Wine loopback");
  m.reg.PutSz(kNetCards + "2", "ServiceName", "{00000000-0000-0000-0000-000000000002}");
  Apply(m, ModeAutoLan);
  EXPECT_EQ(std::vector<std::string>{}, TuningChanges(m.reg));
  ASSERT_EQ(2u, m.boxes.shown.size());
  EXPECT_EQ(
      "No Local Area Networking (LAN) adapter on this computer is bound to TCP/IP.\n"
      "No settings were changed. These adapters were found:\n\n"
      "   Intel(R) PRO/1000 MT Network Connection\n"
      "   Wine loopback\n"
      "\nPlease bind TCP/IP to your adapter with Network in Control Panel,\n"
      "or choose the configuration that matches your connection.",
      m.boxes.shown[1].text);
  EXPECT_EQ(kMbOk | kMbIconExclamation, m.boxes.shown[1].style);
}

// The restore removes what each Windows reads, and only that: the dial-up
// line's MTU but not the protocol key, which was there before.
TEST(NtVersions, TheRestoreRemovesTheLineMtuAndTheCardMtu) {
  MemApp m;
  m.Install();
  NtMachine(m, NtLayout::WindowsXp);
  m.reg.PutDword(kLine, "ProtocolType", 0x800);
  m.reg.PutDword(kLine, "ProtocolMTU", 1400);
  m.reg.PutDword(kInterface, "MTU", 1492);
  m.boxes.answers = {kIdYes};
  m.reg.ClearCalls();
  RunRestoreCommand(m.app);
  EXPECT_EQ(-1, m.reg.GetDword(kLine, "ProtocolMTU"));
  EXPECT_EQ(0x800, m.reg.GetDword(kLine, "ProtocolType"));
  EXPECT_EQ(-1, m.reg.GetDword(kInterface, "MTU"));
  EXPECT_EQ(kRestoreDone, m.boxes.shown.back().text);

  // Without an MTU of the line there is nothing to remove, and no key made.
  MemApp bare;
  NtMachine(bare, NtLayout::WindowsXp);
  TuningSettings settings;
  const WriteReport report = RestoreDefaultsNt(bare.reg, settings, bare.app.m_eWinVersion);
  EXPECT_FALSE(report.failed);
  EXPECT_FALSE(bare.reg.HasKey(kNdisWanProtocols + "0"));
}

}  // namespace
}  // namespace vl
