// The setup program and its uninstaller, run silently as an administrator's
// script would: setup /S /D=folder, then uninstall.exe /S. The setup is the
// shipped one wherever 32-bit programs can start.
#include <shlobj.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

const char kFolder[] = "C:\\VeloraSetupTest\\Velora 2001";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velora 2001";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValue[] = "Velora 2001 Net Detect";

std::string InFolder(const std::string& name) { return std::string(kFolder) + "\\" + name; }

std::string MenuFolder() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_PROGRAMS, FALSE);
  return std::string(path) + "\\Velora 2001\\";
}

bool Exists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

// A shortcut keeps its arguments as ANSI or UTF-16 text, by the setup's kind.
bool FileHoldsText(const std::string& path, const std::string& text) {
  const std::string bytes = ReadFileText(path);
  std::string wide;
  for (char c : text) wide += std::string{c, '\0'};
  return bytes.find(text) != std::string::npos || bytes.find(wide) != std::string::npos;
}

bool RunAndWait(const std::string& exe, const std::string& args, DWORD* code) {
  CreateDirectoryA(InstallDir().c_str(), nullptr);  // Start() runs programs from there
  Proc p = Start(args, exe);
  return p.WaitExit(60000, code);
}

class InstallerSilent : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Exists(SetupProgram())) << SetupProgram() << " was not built";
    if (!SetupIsShipped())
      std::printf("[   NOTE   ] 32-bit programs cannot start on this host: the setup is the "
                  "same script built as a 64-bit program\n");
    RemoveAll();
  }
  void TearDown() override { RemoveAll(); }

  static void RemoveAll() {
    EndProcessesNamed("vldetect.exe");
    DeleteValue(kRunKey, kRunValue);
    WIN32_FIND_DATAA found;
    HANDLE pages = FindFirstFileA(InFolder("help\\*.*").c_str(), &found);
    if (pages != INVALID_HANDLE_VALUE) {
      do {
        RemoveFile(InFolder(std::string("help\\") + found.cFileName));
      } while (FindNextFileA(pages, &found));
      FindClose(pages);
    }
    RemoveDirectoryA(InFolder("help").c_str());
    for (const char* f : {"velora.exe", "vldetect.exe", "uninstall.exe", "Velora.cfg"})
      RemoveFile(InFolder(f));
    RemoveDirectoryA(kFolder);
    RemoveDirectoryA("C:\\VeloraSetupTest");
    for (const char* l : {"Velora 2001.lnk", "Ping Configuration.lnk", "About.lnk",
                          "Uninstall Velora 2001.lnk"})
      RemoveFile(MenuFolder() + l);
    RemoveDirectoryA(MenuFolder().c_str());
    DeleteTree(kBaseKey);
    DeleteTree(kUninstallKey);
    ClearMachine();
  }

  static void Install() {
    DWORD code = 1;
    ASSERT_TRUE(RunAndWait(SetupProgram(), std::string("/S /D=") + kFolder, &code)) << "setup hangs";
    ASSERT_EQ(0u, code);
  }
};

TEST_F(InstallerSilent, InstallsTheProgramThatFitsTheSystemWhichFindsItsFolderAndApplies) {
  ASSERT_NO_FATAL_FAILURE(Install());
  // The x86-64 program on 64-bit Windows, the i686 one on 32-bit Windows:
  // the build this prefix's suites run.
  ASSERT_TRUE(Exists(InFolder("velora.exe")));
  EXPECT_TRUE(ReadFileText(InFolder("velora.exe")) == ReadFileText(BuildDir() + "velora.exe"))
      << "setup installed the other program";
  EXPECT_TRUE(ReadFileText(InFolder("vldetect.exe")) == ReadFileText(BuildDir() + "vldetect.exe"))
      << "setup installed the other companion";
  EXPECT_EQ("\"" + InFolder("vldetect.exe") + "\" /auto", GetSz(kRunKey, kRunValue));
  EXPECT_TRUE(Exists(InFolder("uninstall.exe")));
  EXPECT_TRUE(Exists(InFolder("help\\index.htm")));
  EXPECT_TRUE(Exists(InFolder("help\\velora.css")));
  EXPECT_EQ(kFolder, GetSz(std::string(kBaseKey) + "\\Install", "Folder"));
  EXPECT_EQ(REG_SZ, Get(std::string(kBaseKey) + "\\Install", "Folder").type);
  if (Is64BitWindows()) {
    // In the registry view the x86-64 program reads, not in the 32-bit one.
    HKEY wow = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBaseKey, 0,
                                           KEY_READ | KEY_WOW64_32KEY, &wow));
    if (wow) RegCloseKey(wow);
  }

  EXPECT_EQ("Velora 2001", GetSz(kUninstallKey, "DisplayName"));
  EXPECT_EQ("5.1", GetSz(kUninstallKey, "DisplayVersion"));
  EXPECT_EQ("Norwick Ltd", GetSz(kUninstallKey, "Publisher"));
  EXPECT_EQ("\"" + InFolder("uninstall.exe") + "\"", GetSz(kUninstallKey, "UninstallString"));
  EXPECT_EQ("\"" + InFolder("uninstall.exe") + "\" /S", GetSz(kUninstallKey, "QuietUninstallString"));

  struct Shortcut {
    const char* file;
    const char* args;
  };
  for (const Shortcut& s : {Shortcut{"Velora 2001.lnk", nullptr},
                            Shortcut{"Ping Configuration.lnk", "/ping"},
                            Shortcut{"About.lnk", "/about"}}) {
    SCOPED_TRACE(s.file);
    const std::string path = MenuFolder() + s.file;
    ASSERT_TRUE(Exists(path));
    EXPECT_TRUE(FileHoldsText(path, "velora.exe"));
    if (s.args) {
      EXPECT_TRUE(FileHoldsText(path, s.args));
    }
  }

  // Started from elsewhere, the program has only the value setup wrote to
  // find its folder; without it, it stops with its Severe Error message.
  SeedNtMachine();
  Proc program = Start("", InFolder("velora.exe"));
  HWND frame = WaitForWindow(program.pid(), kFrameClass, nullptr, 20000);
  ASSERT_NE(nullptr, frame) << "main window did not open";
  EXPECT_EQ(kFrameCaption, Text(frame));
  EXPECT_EQ("", ApplyAutomaticLan(program.pid(), frame));
  EXPECT_EQ(1500, GetDword(kNtLanTcpip, "MTU"));
  EXPECT_EQ(5840, GetDword(kNtTcpipParameters, "TcpWindowSize"));
  EXPECT_EQ(32, GetDword(kNtTcpipParameters, "DefaultTTL"));
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitExit());
}

TEST_F(InstallerSilent, UninstallRestoresTcpIpAndRemovesFilesShortcutsAndKeys) {
  ASSERT_NO_FATAL_FAILURE(Install());
  // A Windows 98 machine after an automatic Apply, with the mode file that
  // Apply leaves read-only, hidden and system.
  SeedWin98Machine();
  for (const char* key : {kDialUpBinding, kLanBinding}) {
    SetSz(key, "MaxMTU", "576");
    SetSz(key, "MaxMSS", "536");
  }
  SetDword(kMstcp, "DefaultRcvWindow", 4288);
  SetSz(kMstcp, "DefaultMSS", "536");
  SetSz(kMstcp, "DefaultTTL", "64");
  SetDword(kMstcp, "SessionKeepAlive", 600000);
  SetDword(kMstcp, "PMTUDiscovery", 0);
  SetDword(kMstcp, "PMTUBlackHoleDetect", 1);
  SetSz(kNdiCache, "", "32");
  SetSz(std::string(kBaseKey) + "\\UndoRegular", "PingHost", "scrambled");
  WriteFileText(InFolder("Velora.cfg"), "Networking Performance - Dial-Up Auto Configured");
  SetFileAttributesA(InFolder("Velora.cfg").c_str(),
                     FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);

  // The companion runs, as after any logon, and keeps its file open.
  Proc companion = Start("/auto", InFolder("vldetect.exe"));
  ASSERT_NE(nullptr, WaitForWindow(companion.pid(), nullptr, "VL - Net Detect", kWait, false));

  DWORD code = 1;
  ASSERT_TRUE(RunAndWait(InFolder("uninstall.exe"), "/S", &code));
  EXPECT_EQ(0u, code);
  // The uninstaller hands over to a copy of itself in the temporary folder
  // so that it can delete its own file; that copy finishes the work.
  ASSERT_TRUE(WaitUntil([] { return !Exists(kFolder) && !KeyExists(kUninstallKey); }, 60000))
      << "uninstall did not finish: folder " << (Exists(kFolder) ? "still there" : "gone");

  for (const char* key : {kDialUpBinding, kLanBinding}) {
    EXPECT_FALSE(Get(key, "MaxMTU").exists) << key;
    EXPECT_FALSE(Get(key, "MaxMSS").exists) << key;
  }
  for (const char* value : {"DefaultRcvWindow", "DefaultMSS", "DefaultTTL", "SessionKeepAlive",
                            "PMTUDiscovery", "PMTUBlackHoleDetect"})
    EXPECT_FALSE(Get(kMstcp, value).exists) << value;
  EXPECT_EQ("0", GetSz(kNdiCache, ""));

  EXPECT_TRUE(companion.WaitExit()) << "the uninstaller left the companion running";
  EXPECT_EQ("<absent>", GetSz(kRunKey, kRunValue));
  EXPECT_FALSE(Exists(MenuFolder()));
  EXPECT_FALSE(KeyExists(kBaseKey));
  EXPECT_FALSE(KeyExists("SOFTWARE\\Norwick Ltd"));
}

}  // namespace
}  // namespace e2e
