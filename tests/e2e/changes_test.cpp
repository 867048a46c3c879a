// Seeing and undoing changes against the real program: an Apply or a restore
// is recorded in the program's key, Undo Last Changes puts every value back
// as it was, the record outlives the program, and Current Settings lists the
// values before and after an Apply.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/change_helpers.h"

namespace e2e {
namespace {

const char kInterfaces[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";

// The Windows 98 machine with values of its own: an ISP's MTU, a TTL kept as
// a number, a receive window in bytes of no text.
void SeedOwn98Values() {
  SeedWin98Machine();
  SetSz(kDialUpBinding, "MaxMTU", "1492");
  SetDword(kMstcp, "DefaultTTL", 64);
  SetRaw(kMstcp, "DefaultRcvWindow", REG_BINARY, std::string("\x10\x22", 2));
}

using ChangeUndo = MainWindowTest;

TEST_F(ChangeUndo, Windows98ApplyThenUndoLeavesEveryValueAsItWas) {
  SeedOwn98Values();
  const std::vector<std::string> before = Snapshot(k98Values);
  ASSERT_TRUE(StartMain());
  EXPECT_TRUE(UndoGrayed()) << "nothing to undo yet";
  // A command that reaches the frame anyway does nothing either.
  PostCommand(run_.frame, ID_UNDO_CHANGES);
  EXPECT_EQ(nullptr, WaitForMessageBox(run_.proc.pid(), kBoxCaption, 1000));
  ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up"));
  SYSTEMTIME when;
  ASSERT_TRUE(ApplyFromTheMenu(&when));
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ(3216, GetDword(kMstcp, "DefaultRcvWindow"));
  EXPECT_EQ("128", GetSz(kMstcp, "DefaultTTL"));
  EXPECT_TRUE(KeyExists(ChangesKey()));

  ASSERT_TRUE(UndoFromTheMenu("the Apply of Automatic Mode - Dial-Up", when));
  EXPECT_EQ(before, Snapshot(k98Values));
  EXPECT_TRUE(UndoGrayed()) << "the one change is undone";
  EXPECT_TRUE(CloseFrame(run_));
}

// On the NT family with an Interfaces key: the Apply writes the MTU there
// too, makes no key for the card without one, and Undo takes all back.
TEST_F(ChangeUndo, NtApplyWithAnInterfacesKeyThenUndo) {
  SeedNtMachine();
  CreateKey(std::string(kInterfaces) + "VlLan");
  SetDword(std::string(kInterfaces) + "VlLan", "MTU", 1400);
  SetDword(kNtLanTcpip, "MTU", 1454);
  const Watched values[] = {
      {kNtLanTcpip, "MTU"},          {"SYSTEM\\CurrentControlSet\\Services\\VlWan\\Parameters\\Tcpip", "MTU"},
      {"System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\VlLan", "MTU"},
      {kNtTcpipParameters, "TcpWindowSize"},     {kNtTcpipParameters, "DefaultTTL"},
      {kNtTcpipParameters, "EnablePMTUDiscovery"}, {kNtTcpipParameters, "EnablePMTUBHDetect"},
  };
  const std::vector<std::string> before = Snapshot(values);
  ASSERT_TRUE(StartMain());
  ASSERT_TRUE(ChooseMode(IDC_MODE_LAN, "Automatic Mode - LAN"));
  SYSTEMTIME when;
  ASSERT_TRUE(ApplyFromTheMenu(&when, /*lanQuestion=*/true));
  EXPECT_EQ(1500, GetDword(kNtLanTcpip, "MTU"));
  EXPECT_EQ(1500, GetDword(std::string(kInterfaces) + "VlLan", "MTU"));
  EXPECT_FALSE(KeyExists(std::string(kInterfaces) + "VlWan"));

  ASSERT_TRUE(UndoFromTheMenu("the Apply of Automatic Mode - LAN", when));
  EXPECT_EQ(before, Snapshot(values));
  EXPECT_TRUE(CloseFrame(run_));
  DeleteTree(std::string(kInterfaces) + "VlLan");
}

// The record is the program's own and outlives it: a new run undoes the
// change of the last one.
TEST_F(ChangeUndo, TheRecordSurvivesClosingAndStartingTheProgram) {
  SeedOwn98Values();
  const std::vector<std::string> before = Snapshot(k98Values);
  ASSERT_TRUE(StartMain());
  ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up"));
  SYSTEMTIME when;
  ASSERT_TRUE(ApplyFromTheMenu(&when));
  ASSERT_TRUE(CloseFrame(run_));

  ASSERT_TRUE(StartMain());
  ASSERT_TRUE(UndoFromTheMenu("the Apply of Automatic Mode - Dial-Up", when));
  EXPECT_EQ(before, Snapshot(k98Values));
  EXPECT_TRUE(CloseFrame(run_));
}

// The restore deletes the tuned values; its Undo brings them back.
TEST_F(ChangeUndo, RestoreThenUndoBringsTheTunedValuesBack) {
  SeedOwn98Values();
  ASSERT_TRUE(StartMain());
  ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up"));
  ASSERT_TRUE(ApplyFromTheMenu());
  const std::vector<std::string> tuned = Snapshot(k98Values);

  SYSTEMTIME when;
  ASSERT_TRUE(RestoreFromTheMenu(&when));
  EXPECT_EQ("<absent>", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", GetSz(kMstcp, "DefaultTTL"));

  ASSERT_TRUE(UndoFromTheMenu("the restore of the Windows default settings", when));
  EXPECT_EQ(tuned, Snapshot(k98Values));
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_TRUE(CloseFrame(run_));
}

// Without TCP/IP there is nothing to tune: said so, and nothing written.
TEST_F(ChangeUndo, WithoutTcpipTheUserIsToldAndNothingChanges) {
  SeedOwn98Values();
  DeleteTree(kMstcp);
  const std::vector<std::string> before = Snapshot(k98Values);
  ASSERT_TRUE(StartMain());
  ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up"));
  PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
  ASSERT_TRUE(AnswerBox(
      "TCP/IP is not installed on this computer, so there are\n"
      "no TCP/IP settings to change. Nothing was changed.\n\n"
      "Please install TCP/IP with Network in Control Panel,\n"
      "restart Windows and try again.",
      IDOK));
  EXPECT_EQ(before, Snapshot(k98Values));
  EXPECT_FALSE(KeyExists(ChangesKey()));
  EXPECT_TRUE(CloseFrame(run_));
}

// A record that cannot be kept stops the change before it touches anything.
// A key made volatile can hold no lasting key below it: the program's key so
// refuses the record's.
TEST_F(ChangeUndo, ARecordThatCannotBeKeptStopsTheApply) {
  SeedOwn98Values();
  const std::vector<std::string> before = Snapshot(k98Values);
  DeleteTree(kBaseKey);
  CreateKey(kBaseKey, HKEY_LOCAL_MACHINE, /*isVolatile=*/true);
  CreateKey(std::string(kBaseKey) + "\\Install", HKEY_LOCAL_MACHINE, /*isVolatile=*/true);
  SetSz(std::string(kBaseKey) + "\\Install", "Folder", InstallDir());
  // The program's key as every other test wants it, pass or fail.
  struct KeyBack {
    ~KeyBack() {
      DeleteTree(kBaseKey);
      SeedInstallFolder(InstallDir());
    }
  } keyBack;
  ASSERT_TRUE(StartMain());
  ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up"));
  PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
  ASSERT_TRUE(AnswerBox(
      "The change could not be recorded, so it could not be undone later.\n"
      "Nothing was changed.\n\nPlease log on as an administrator and try again.",
      IDOK));
  EXPECT_EQ(before, Snapshot(k98Values));
  EXPECT_TRUE(CloseFrame(run_));
}

// ---- Current Settings ----

using CurrentSettings = MainWindowTest;

TEST_F(CurrentSettings, ListsTheValuesBeforeAndAfterAnApply) {
  SeedOwn98Values();
  ASSERT_TRUE(StartMain());
  int rows = 0, columns = 0;
  std::vector<std::string> table = CopiedTable(&rows, &columns);
  EXPECT_EQ(11, rows);
  EXPECT_EQ(4, columns);
  ASSERT_EQ(12u, table.size());
  EXPECT_EQ(kHeadingLine, table[0]);
  EXPECT_EQ("MTU (MaxMTU)\tDial-Up Adapter\t1492\t", table[1]);
  EXPECT_EQ("MSS (MaxMSS)\tVelora Test Ethernet Adapter\t(not set)\t", table[4]);
  EXPECT_EQ("RWIN (DefaultRcvWindow)\tAll adapters\t(type 3) 10 22\t", table[5]);
  EXPECT_EQ("TTL (DefaultTTL)\tAll adapters\t64\t", table[7]);
  EXPECT_EQ("NDI Cache (cachesize)\tAll adapters\t0\t", table[11]);

  ASSERT_TRUE(ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up"));
  table = CopiedTable();
  ASSERT_EQ(12u, table.size());
  EXPECT_EQ("MTU (MaxMTU)\tDial-Up Adapter\t1492\t576", table[1]);
  EXPECT_EQ("MTU (MaxMTU)\tVelora Test Ethernet Adapter\t(not set)\t", table[3]);
  EXPECT_EQ("TTL (DefaultTTL)\tAll adapters\t64\t128", table[7]);

  ASSERT_TRUE(ApplyFromTheMenu());
  table = CopiedTable();
  ASSERT_EQ(12u, table.size());
  EXPECT_EQ("MTU (MaxMTU)\tDial-Up Adapter\t576\t576", table[1]);
  EXPECT_EQ("RWIN (DefaultRcvWindow)\tAll adapters\t3216\t3216", table[5]);
  EXPECT_EQ("TTL (DefaultTTL)\tAll adapters\t128\t128", table[7]);
  EXPECT_EQ("NDI Cache (cachesize)\tAll adapters\t16\t16", table[11]);
  EXPECT_TRUE(CloseFrame(run_));
}

}  // namespace
}  // namespace e2e
