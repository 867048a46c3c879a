// The i686 program copied by hand onto 64-bit Windows: it must find its own
// key where the setup puts it for the x86-64 program, and the adapters and
// TCP/IP keys of the machine, all in the native registry view.
#include <gtest/gtest.h>

#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

const char kFolder[] = "C:\\VeloraWow64\\";

class I686OnWow64 : public testing::Test {
 protected:
  void SetUp() override {
    if (!Is64BitWindows()) GTEST_SKIP() << "a 32-bit Windows has no WOW64";
    if (!CanRun32BitPrograms())
      GTEST_SKIP() << "this host runs 64-bit code only: no 32-bit program can start";
    CreateDirectoryA(kFolder, nullptr);
    for (const char* file : {"velora.exe", "stubs\\vldetect.exe"}) {
      std::string name = file;
      name = name.substr(name.find_last_of('\\') + 1);
      ASSERT_TRUE(CopyFileA((Win32BuildDir() + file).c_str(), (kFolder + name).c_str(), FALSE))
          << Win32BuildDir() << file;
    }
  }
  void TearDown() override {
    ClearMachine();
    for (const char* file : {"velora.exe", "vldetect.exe", "vldetect.log", "Velora.cfg"})
      RemoveFile(std::string(kFolder) + file);
    RemoveDirectoryA(kFolder);
  }
};

TEST_F(I686OnWow64, ReadsItsFolderAndWritesTheMachinesKeysInTheNativeView) {
  // Written by this x86-64 driver, so in the native view only.
  SeedInstallFolder(kFolder);
  SeedNtMachine();
  Proc program = Start("", std::string(kFolder) + "velora.exe");
  HWND frame = WaitForWindow(program.pid(), kFrameClass, nullptr, 20000);
  ASSERT_NE(nullptr, frame) << "main window did not open";
  // The adapters are listed under SOFTWARE, which WOW64 would redirect: the
  // Apply finds the LAN card only in the native view.
  EXPECT_EQ("", ApplyAutomaticLan(program.pid(), frame));
  EXPECT_EQ(1500, GetDword(kNtLanTcpip, "MTU"));
  EXPECT_EQ(5840, GetDword(kNtTcpipParameters, "TcpWindowSize"));
  PostMessageA(frame, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitExit());
}

}  // namespace
}  // namespace e2e
