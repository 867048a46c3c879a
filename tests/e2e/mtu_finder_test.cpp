// File > Find Largest MTU under Wine. Wine's echo ignores Don't Fragment, so
// an icmp.dll of the tests' own (stubs/dll/icmp.cpp) plays the path in place
// of Wine's, and a rasapi32.dll of their own a dial-up line that is up; both
// sit in the system directory, where the program loads them from, and are
// loaded as DLLs of their own only by velora.exe (Wine's per-program DLL
// settings). Nothing goes out on any network: the stand-in answers itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/form_helpers.h"

namespace e2e {
namespace {

constexpr char kLineKey[] = "SOFTWARE\\Velora Test Bench";
constexpr char kOverrideApp[] = "Software\\Wine\\AppDefaults\\velora.exe";
constexpr char kOverrides[] = "Software\\Wine\\AppDefaults\\velora.exe\\DllOverrides";
// Four silent echoes of the probe's two seconds each, and a margin.
constexpr int kSilentProbeWait = 30000;

const char kFound1400[] =
    "The largest packet that reaches 127.0.0.1 without being split is 1400 bytes: the MTU of "
    "this path is 1400.";
const char kNoReply[] =
    "127.0.0.1 does not answer pings: nothing came back, not even a packet of 68 bytes. Try "
    "another host, such as your provider's DNS server.";

// One system DLL put in place of Wine's for the test's lifetime.
class SystemDllStandIn {
 public:
  explicit SystemDllStandIn(const std::string& name) {
    char dir[MAX_PATH];
    GetSystemDirectoryA(dir, MAX_PATH);
    system_ = std::string(dir) + "\\" + name + ".dll";
    saved_ = system_ + ".velora-test";
    ok_ = CopyFileA(system_.c_str(), saved_.c_str(), FALSE) &&
          CopyFileA((BuildDir() + "stubs\\" + name + ".dll").c_str(), system_.c_str(), FALSE);
    SetSz(kOverrides, name, "native", HKEY_CURRENT_USER);
  }
  ~SystemDllStandIn() {
    if (!saved_.empty() && CopyFileA(saved_.c_str(), system_.c_str(), FALSE))
      DeleteFileA(saved_.c_str());
  }
  bool ok() const { return ok_; }

 private:
  std::string system_, saved_;
  bool ok_ = false;
};

class MtuFinderBench : public testing::Test {
 protected:
  void SetUp() override {
    SeedWin98Machine();
    ASSERT_TRUE(icmp_.ok());
    ASSERT_TRUE(ras_.ok());
    SetSz(kLineKey, "DialUp", "connected");
    RemoveFile(Log());
  }
  void TearDown() override {
    CloseFormApp(app);
    DeleteTree(kOverrideApp, HKEY_CURRENT_USER);
    DeleteTree(kLineKey);
    RemoveFile(Log());
  }
  static void PlayPath(const std::string& path) { SetSz(kLineKey, "Path", path); }
  static std::string Log() { return InstallDir() + "icmp.log"; }
  static std::vector<std::string> Echoes() { return LogLines("icmp.log"); }

  // The program with its form, in manual mode when asked; the dialog open
  // from the File menu with `host` typed in.
  HWND Open(bool manual, const std::string& host = "127.0.0.1") {
    app = StartFormApp();
    if (!app.form) return nullptr;
    if (manual && !ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption)) return nullptr;
    PostCommand(app.frame, ID_FIND_MTU);
    HWND dlg = WaitForWindow(app.p.pid(), "#32770", kMtuFinderCaption);
    if (dlg) SetWindowTextA(GetDlgItem(dlg, IDC_FINDMTU_HOST), host.c_str());
    return dlg;
  }
  // The list's lines, read with the W messages, whose text Wine carries
  // across processes.
  static std::vector<std::string> Lines(HWND dlg) {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(dlg, IDC_FINDMTU_LIST);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t wide[256] = {};
      if (SendMessageW(list, LB_GETTEXTLEN, i, 0) >= 256) break;
      SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
      char narrow[512] = {};
      WideCharToMultiByte(1252, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
      lines.push_back(narrow);
    }
    return lines;
  }
  // Start, and once the stand-in has the probe's echo number `echo` under way.
  static bool StartUntilEcho(HWND dlg, size_t echo) {
    return SendClick(dlg, IDC_FINDMTU_START) && WaitUntil([&] { return Echoes().size() == echo; });
  }
  static std::string WaitForResult(HWND dlg, const std::string& expected, int timeoutMs = kWait) {
    std::string result;
    WaitUntil([&] { return (result = ItemText(dlg, IDC_FINDMTU_RESULT)) == expected; }, timeoutMs);
    return result;
  }

  SystemDllStandIn icmp_{"icmp"};
  SystemDllStandIn ras_{"rasapi32"};
  FormApp app;
};

class MtuFinderPath : public MtuFinderBench {};
class MtuFinderSilence : public MtuFinderBench {};

TEST_F(MtuFinderPath, FindsTheStandInPathsMtuAndTheFormTakesItForTheApply) {
  PlayPath("1400");
  HWND dlg = Open(true);
  ASSERT_NE(nullptr, dlg);
  EXPECT_EQ(app.frame, GetWindow(dlg, GW_OWNER));
  EXPECT_FALSE(IsEnabled(dlg, IDC_FINDMTU_USE));
  ASSERT_TRUE(SendClick(dlg, IDC_FINDMTU_START));
  EXPECT_EQ(kFound1400, WaitForResult(dlg, kFound1400));
  const std::vector<std::string> lines = Lines(dlg);
  for (const char* line : {"1400 bytes: passes", "1401 bytes: too big (said by 127.0.0.2)"})
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), line)) << line;
  // Every echo the stand-in saw was one line of the list, Don't Fragment set.
  const std::vector<std::string> echoes = Echoes();
  EXPECT_EQ(lines.size(), echoes.size());
  for (const std::string& echo : echoes) EXPECT_EQ(" DF", echo.substr(echo.size() - 3)) << echo;
  EXPECT_TRUE(IsEnabled(dlg, IDC_FINDMTU_START));
  EXPECT_FALSE(IsEnabled(dlg, IDC_FINDMTU_STOP));
  ASSERT_TRUE(IsEnabled(dlg, IDC_FINDMTU_USE));

  Click(dlg, IDC_FINDMTU_USE);
  ASSERT_TRUE(WaitGone(dlg));
  ASSERT_TRUE(IdlePass(app.frame));
  EXPECT_TRUE(IsChecked(app.form, IDC_MTU_CUSTOM));
  EXPECT_FALSE(IsChecked(app.form, IDC_MTU_576));
  EXPECT_EQ("1400", ItemText(app.form, IDC_MTU_EDIT));
  EXPECT_EQ("", ApplyFromMenu(app));
  EXPECT_EQ("1400", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("1360", GetSz(kDialUpBinding, "MaxMSS"));
}

// A path narrower than this machine's own interface (whatever MTU the host
// gives Wine's): the probe halves its way down to it through the stand-in's
// "too big" answers. In an automatic mode the result says how to use it.
TEST_F(MtuFinderPath, BisectsDownToANarrowerPathAndSaysHowToUseItInAnAutomaticMode) {
  PlayPath("1280");
  HWND dlg = Open(false);
  ASSERT_NE(nullptr, dlg);
  ASSERT_TRUE(SendClick(dlg, IDC_FINDMTU_START));
  const std::string expected =
      "The largest packet that reaches 127.0.0.1 without being split is 1280 bytes: the MTU of "
      "this path is 1280. To use it, choose Manual Mode on the form, then Custom MTU, and enter "
      "1280.";
  EXPECT_EQ(expected, WaitForResult(dlg, expected));
  const std::vector<std::string> lines = Lines(dlg);
  EXPECT_GE(lines.size(), 3u);
  for (const char* line : {"1280 bytes: passes", "1281 bytes: too big (said by 127.0.0.2)"})
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), line)) << line;
  EXPECT_FALSE(IsEnabled(dlg, IDC_FINDMTU_USE));
  // The host probed is the one the dialog offers next time.
  ASSERT_TRUE(Answer(dlg, IDCANCEL));
  PostCommand(app.frame, ID_FIND_MTU);
  dlg = WaitForWindow(app.p.pid(), "#32770", kMtuFinderCaption);
  ASSERT_NE(nullptr, dlg);
  EXPECT_EQ("127.0.0.1", ItemText(dlg, IDC_FINDMTU_HOST));
  ASSERT_TRUE(Answer(dlg, IDCANCEL));
}

TEST_F(MtuFinderSilence, AHostThatNeverAnswersIsSaidSoPlainly) {
  PlayPath("silent");
  HWND dlg = Open(true);
  ASSERT_NE(nullptr, dlg);
  ASSERT_TRUE(SendClick(dlg, IDC_FINDMTU_START));
  EXPECT_EQ(kNoReply, WaitForResult(dlg, kNoReply, kSilentProbeWait));
  const std::vector<std::string> lines = Lines(dlg);
  ASSERT_EQ(4u, lines.size());
  EXPECT_EQ("68 bytes: no answer", lines.back());
  EXPECT_FALSE(IsEnabled(dlg, IDC_FINDMTU_USE));
  ASSERT_TRUE(Answer(dlg, IDCANCEL));
}

TEST_F(MtuFinderSilence, StopEndsItAtOnceAndClosingMidProbeEndsTheThread) {
  PlayPath("silent");
  HWND dlg = Open(true);
  ASSERT_NE(nullptr, dlg);
  ASSERT_TRUE(StartUntilEcho(dlg, 1));
  ASSERT_TRUE(SendClick(dlg, IDC_FINDMTU_STOP));
  EXPECT_EQ("Stopped.", ItemText(dlg, IDC_FINDMTU_RESULT));
  EXPECT_FALSE(IsEnabled(dlg, IDC_FINDMTU_STOP));
  // Start comes back once the echo under way has ended; nothing follows it.
  EXPECT_TRUE(WaitUntil([&] { return IsEnabled(dlg, IDC_FINDMTU_START); }));
  EXPECT_EQ(1u, Echoes().size());
  EXPECT_EQ("Stopped.", ItemText(dlg, IDC_FINDMTU_RESULT));

  // Closed while an echo is under way, the dialog goes with the thread.
  ASSERT_TRUE(StartUntilEcho(dlg, 2));
  ASSERT_TRUE(Answer(dlg, IDCANCEL));
  EXPECT_EQ(2u, Echoes().size());
  EXPECT_TRUE(IdlePass(app.frame));

  // And the program closed beneath the dialog mid-probe ends cleanly: the
  // dialog goes with its owner and waits for the thread. (Wine takes a few
  // seconds to come to the owned dialog, so the probe may send on meanwhile.)
  PostCommand(app.frame, ID_FIND_MTU);
  dlg = WaitForWindow(app.p.pid(), "#32770", kMtuFinderCaption);
  ASSERT_NE(nullptr, dlg);
  ASSERT_TRUE(StartUntilEcho(dlg, 3));
  PostMessageA(app.frame, WM_CLOSE, 0, 0);
  DWORD code = 1;
  EXPECT_TRUE(app.p.WaitExit(kWait, &code));
  EXPECT_EQ(0u, code);
}

}  // namespace
}  // namespace e2e
