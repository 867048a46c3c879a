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
const char k2000Text[] =
    "In order to backup your registry file we recommend\nto use Windows 2000 build in backup "
    "program.\n\n1. Click Start, point to Programs, point to Accessories,\n    point to System "
    "Tools, and then click Backup.\n2. On the Tools menu, click Create an Emergency Repair "
    "Disk.\n3. Insert a blank, formatted disk in drive A, and then click OK.";
const char kXpText[] =
    "In order to backup your registry file we recommend\nto use Windows build in System "
    "Restore.\n\n1. On Windows XP click Start, point to All Programs, point to Accessories,\n"
    "    point to System Tools, and then click System Restore.\n    On Windows Vista and later "
    "open System Properties\n    and click the System Protection tab.\n2. Choose Create a "
    "restore point (on Windows XP, then click Next;\n    on Windows Vista and later, click "
    "Create).\n3. Type a description for the restore point, and then click Create.";
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
    EXPECT_TRUE(NoBoxAfterIdlePass(run.frame)) << "a second message";
    EXPECT_TRUE(CloseFrame(run));
    return text;
  }
};

// Each NT machine gets the advice that fits it, Wine's own (a Windows 7) too.
TEST_F(BackupCommand, OnNtTheInstructionsFitTheWindowsAndOnlyTheFolderIsMade) {
  const struct {
    const char* name;
    void (*seed)();
    const char* text;
  } cases[] = {
      {"NT 4", [] { SeedNtMachine(NtMachine::Nt4); }, kNtText},
      {"Windows 2000", [] { SeedNtMachine(NtMachine::Windows2000); }, k2000Text},
      {"Windows XP", [] { SeedNtMachine(NtMachine::WindowsXp); }, kXpText},
      {"Windows 10", [] { SeedNtMachine(NtMachine::Windows10); }, kXpText},
      {"Wine's own", ClearMachine, kXpText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.seed();
    RemoveBackup();
    UINT icon = 0;
    EXPECT_EQ(c.text, RunBackup(&icon));
    EXPECT_EQ(static_cast<UINT>(MB_ICONASTERISK), icon);
    DWORD attributes = Attributes(BackupFolder());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, Attributes(BackupFolder() + "\\system.dat"));
  }
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
