// The Registry Backup command of the main window under Wine, on the NT
// family (what Wine is) and on a seeded Windows 98 registry with stand-in
// registry files in the Windows folder.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/box_icon.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

const char kNtText[] =
    "In order to backup your registry file we recommend\nto use Windows NT build in backup "
    "program (RDISK).\n\n1. Insert a floppy disk into drive A: \n2. Go to 'Start'  -> "
    "'Run'\n3. Write  rdisk.exe /s  and press Enter key.\n4. Answer 'Yes' to the 'Make An "
    "Emergency Repair Disk' question.  ";
const char kDoneText[] = "Registry backup was successfully created. ";

std::string WindowsFolder() {
  char buffer[MAX_PATH] = {};
  GetWindowsDirectoryA(buffer, MAX_PATH);
  std::string folder = buffer;
  if (folder.back() != '\\') folder += '\\';
  return folder;
}
std::string BackupFolder() { return InstallDir() + "RegBak"; }

class BackupCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveFile(InstallDir() + "Velora.cfg");
    RemoveBackup();
  }
  void TearDown() override {
    RemoveBackup();
    RemoveFile(WindowsFolder() + "system.dat");
    RemoveFile(WindowsFolder() + "user.dat");
    ClearMachine();
  }
  void RemoveBackup() {
    RemoveFile(BackupFolder() + "\\system.dat");
    RemoveFile(BackupFolder() + "\\user.dat");
    RemoveDirectoryA(BackupFolder().c_str());
  }

  // Runs the command from the menu and returns the one message it shows,
  // answered; `icon` receives its icon.
  std::string RunBackup(UINT* icon) {
    FrameRun run = StartFrame();
    if (!run.frame) return "<no main window>";
    PostCommand(run.frame, ID_REGISTRY_BACKUP);
    HWND box = WaitForMessageBox(run.proc.pid(), kBoxCaption);
    if (!box) return "<no message>";
    std::string text = MessageBoxText(box);
    *icon = ShownBoxIcon(box);
    EXPECT_TRUE(Answer(box, IDOK));
    IdlePass(run.frame);
    EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid())) << "a second message";
    EXPECT_TRUE(CloseFrame(run));
    return text;
  }
};

TEST_F(BackupCommand, OnNtTheInstructionsAreShownAndOnlyTheFolderIsMade) {
  ClearMachine();
  UINT icon = 0;
  EXPECT_EQ(kNtText, RunBackup(&icon));
  EXPECT_EQ(static_cast<UINT>(MB_ICONASTERISK), icon);
  DWORD attributes = Attributes(BackupFolder());
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes(BackupFolder() + "\\system.dat"));
}

TEST_F(BackupCommand, OnWindows98BothFilesReplaceAnEarlierProtectedBackup) {
  SeedWin98Machine();
  WriteFileText(WindowsFolder() + "system.dat", "stand-in system");
  WriteFileText(WindowsFolder() + "user.dat", "stand-in user");
  CreateDirectoryA(BackupFolder().c_str(), nullptr);
  WriteFileText(BackupFolder() + "\\user.dat", "earlier user");
  SetFileAttributesA((BackupFolder() + "\\user.dat").c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  UINT icon = 0;
  EXPECT_EQ(kDoneText, RunBackup(&icon));
  EXPECT_EQ(static_cast<UINT>(MB_ICONASTERISK), icon);
  EXPECT_EQ("stand-in system", ReadFileText(BackupFolder() + "\\system.dat"));
  EXPECT_EQ("stand-in user", ReadFileText(BackupFolder() + "\\user.dat"));
}

TEST_F(BackupCommand, OnWindows98AMissingRegistryFileIsReportedByName) {
  SeedWin98Machine();
  WriteFileText(WindowsFolder() + "system.dat", "stand-in system");
  RemoveFile(WindowsFolder() + "user.dat");
  UINT icon = 0;
  std::string text = RunBackup(&icon);
  EXPECT_NE(kDoneText, text);
  EXPECT_NE(std::string::npos, text.find(WindowsFolder() + "user.dat")) << text;
  EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), icon);
  EXPECT_EQ("stand-in system", ReadFileText(BackupFolder() + "\\system.dat"));
}

}  // namespace
}  // namespace e2e
