// Start-up of the real program: the install folder, the companion and the
// command-line verbs.
#include <gtest/gtest.h>

#include <utility>

#include "tests/e2e/box_icon.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

const char kSevereCaption[] = "Velora 2001 - Severe Error";
const char kSevereText[] =
    "Missing registry information, please re-install Velora 2001.\n"
    "For more information contact our support team <support@norwick.example>.";

// An install folder other than the one the program is started from, so that
// the companion's record proves the program made it current. The companion
// itself is the stand-in beside the program: Wine looks for a bare program
// name in the starting program's folder first.
const std::string kOtherFolder = "C:\\VeloraOther";
const std::string kTestFolder = "C:\\VeloraTest";

std::string CompanionLog(const std::string& folder) { return folder + "\\vldetect.log"; }

// Waits for the stand-in companion's one-line record "command line|current
// directory"; empty when it never ran.
std::string WaitForCompanion(const std::string& folder) {
  std::string log;
  WaitUntil([&] {
    log = ReadFileText(CompanionLog(folder));
    return log != "<absent>" && !log.empty() && log.back() == '\n';
  });
  return log == "<absent>" ? std::string() : log;
}

class StartupBench : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveFile(CompanionLog(kTestFolder));
    RemoveFile(InstallDir() + "Velora.cfg");  // no start-up notice in these runs
    SeedInstallFolder(InstallDir());
  }
  void TearDown() override {
    RemoveFile(CompanionLog(kTestFolder));
    SeedInstallFolder(InstallDir());
  }

  // Closes the main window the way the user would and waits for the end.
  static void CloseMain(Proc& p, HWND frame) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitExit()) << "the program did not end after its window closed";
  }
};

class StartupInstallFolder : public StartupBench {};

TEST_F(StartupInstallFolder, MissingFolderShowsTheSevereErrorAndEnds) {
  RemoveInstallFolder();
  Proc p = Start("");
  HWND box = WaitForMessageBox(p.pid(), kSevereCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(kSevereText, MessageBoxText(box));
  EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), ShownBoxIcon(box));
  EXPECT_TRUE(HasButton(box, IDOK));
  EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
  EXPECT_TRUE(GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
  EXPECT_TRUE(TopWindows(p.pid(), kFrameClass, nullptr, false).empty());
  ASSERT_TRUE(Answer(box, IDOK));
  DWORD code = 1;
  ASSERT_TRUE(p.WaitExit(kWait, &code));
  EXPECT_EQ(0u, code);
  EXPECT_EQ("<absent>", ReadFileText(CompanionLog(kTestFolder))) << "no companion";
}

TEST_F(StartupInstallFolder, UnusableValuesAlsoGiveTheSevereError) {
  struct Case {
    const char* what;
    DWORD type;
    std::string bytes;
  } const cases[] = {
      {"REG_DWORD", REG_DWORD, std::string("\x43\x3A\x5C\x00", 4)},
      {"blanks", REG_SZ, std::string("    \0", 5)},
      {"2000 characters", REG_SZ, "C:\\" + std::string(1997, 'v') + '\0'},
  };
  for (const auto& c : cases) {
    SetRaw(std::string(kBaseKey) + "\\Install", "Folder", c.type, c.bytes);
    Proc p = Start("");
    HWND box = WaitForMessageBox(p.pid(), kSevereCaption);
    ASSERT_NE(nullptr, box) << c.what;
    EXPECT_EQ(kSevereText, MessageBoxText(box)) << c.what;
    ASSERT_TRUE(Answer(box, IDOK)) << c.what;
    EXPECT_TRUE(p.WaitExit()) << c.what;
    Value kept = Get(std::string(kBaseKey) + "\\Install", "Folder");
    EXPECT_EQ(c.type, kept.type) << c.what << ": the stored value is left as it was";
    EXPECT_EQ(c.bytes, kept.bytes) << c.what;
  }
  EXPECT_EQ("<absent>", ReadFileText(CompanionLog(kTestFolder)));
}

class StartupCompanion : public StartupBench {
 protected:
  void SetUp() override {
    StartupBench::SetUp();
    CreateDirectoryA(kOtherFolder.c_str(), nullptr);
  }
  void TearDown() override {
    StartupBench::TearDown();
    RemoveDirectoryA(kOtherFolder.c_str());
  }

  // Starts a hidden run and returns the companion's record: command line and
  // current directory.
  std::pair<std::string, std::string> RunAndRecord() {
    RemoveFile(CompanionLog(kTestFolder));
    Proc p = Start("/detect");
    std::string log = WaitForCompanion(kTestFolder);
    HWND frame = WaitForWindow(p.pid(), kFrameClass, nullptr, kWait, false);
    if (frame) CloseMain(p, frame);
    size_t bar = log.find('|');
    if (bar == std::string::npos) return {};
    return {log.substr(0, bar), log.substr(bar + 1, log.size() - bar - 2)};
  }
};

TEST_F(StartupCompanion, StartedOnceWithAutoInTheInstallFolder) {
  auto [commandLine, directory] = RunAndRecord();
  ASSERT_FALSE(commandLine.empty()) << "the companion never ran";
  EXPECT_NE(std::string::npos, commandLine.find("vldetect.exe")) << commandLine;
  EXPECT_EQ(" /auto", commandLine.substr(commandLine.size() - 6)) << commandLine;
  EXPECT_EQ(kTestFolder, directory);
}

TEST_F(StartupCompanion, InstallFolderBecomesCurrentWithOrWithoutBackslash) {
  for (const std::string& folder : {kOtherFolder, kOtherFolder + "\\"}) {
    SeedInstallFolder(folder);
    EXPECT_EQ(kOtherFolder, RunAndRecord().second) << folder;
  }
}

class StartupVerbs : public StartupBench {};

TEST_F(StartupVerbs, OnlyDetectKeepsTheMainWindowHidden) {
  struct Case {
    std::string args;
    bool visible;
  } const cases[] = {
      {"", true},
      {"/detect", false},
      {"/DETECT", false},
      {"/detect now", true},
      {"/unknown", true},
      {"/D\xC9TECT " + std::string(4000, '\xE9'), true},
  };
  for (const auto& c : cases) {
    const std::string what = "args \"" + c.args.substr(0, 20) + "\"";
    RemoveFile(CompanionLog(kTestFolder));
    Proc p = Start(c.args);
    HWND frame = WaitForWindow(p.pid(), kFrameClass, nullptr, kWait, false);
    ASSERT_NE(nullptr, frame) << what;
    // The program answers only from its message loop, after it has shown
    // its window or kept it hidden.
    EXPECT_EQ(kFrameCaption, Text(frame)) << what;
    EXPECT_EQ(c.visible, IsWindowVisible(frame) != FALSE) << what;
    EXPECT_FALSE(WaitForCompanion(kTestFolder).empty()) << what << ": companion started";
    CloseMain(p, frame);
  }
}

TEST_F(StartupVerbs, UninstallEndsQuietlyWithoutTheInstallFolder) {
  ClearMachine();
  RemoveInstallFolder();
  Proc p = Start("/Uninstall");
  DWORD code = 1;
  ASSERT_TRUE(p.WaitExit(kWait, &code)) << "a message box or window kept it running";
  EXPECT_EQ(0u, code);
  EXPECT_EQ("<absent>", ReadFileText(CompanionLog(kTestFolder))) << "no companion";
  ClearMachine();
}

}  // namespace
}  // namespace e2e
