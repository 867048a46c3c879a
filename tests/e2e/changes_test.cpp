// Seeing and undoing changes against the real program: an Apply or a restore
// is recorded in the program's key, Undo Last Changes puts every value back
// as it was, the record outlives the program, and Current Settings lists the
// values before and after an Apply.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/texts.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const char kInterfaces[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const char kWindowsNt[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

std::string ChangesKey() { return std::string(kBaseKey) + "\\Changes"; }

// The values an Apply or a restore of the Windows 98 machine touches.
struct Watched {
  const char* key;
  const char* name;
};
const Watched k98Values[] = {
    {kDialUpBinding, "MaxMTU"},       {kDialUpBinding, "MaxMSS"},
    {kLanBinding, "MaxMTU"},          {kLanBinding, "MaxMSS"},
    {kMstcp, "DefaultRcvWindow"},     {kMstcp, "DefaultMSS"},
    {kMstcp, "DefaultTTL"},           {kMstcp, "SessionKeepAlive"},
    {kMstcp, "PMTUDiscovery"},        {kMstcp, "PMTUBlackHoleDetect"},
    {kNdiCache, ""},
};

// Each value as "type:bytes in hex", or "absent".
template <typename Values>
std::vector<std::string> Snapshot(const Values& values) {
  std::vector<std::string> out;
  for (const Watched& w : values) {
    const Value v = Get(w.key, w.name);
    std::string text = v.exists ? std::to_string(v.type) + ":" : "absent";
    for (unsigned char c : v.bytes) {
      static const char kHex[] = "0123456789abcdef";
      text += kHex[c >> 4];
      text += kHex[c & 15];
    }
    out.push_back(std::string(w.key) + " [" + w.name + "] " + text);
  }
  return out;
}

// The Windows 98 machine with values of its own: an ISP's MTU, a TTL kept as
// a number, a receive window in bytes of no text.
void SeedOwn98Values() {
  SeedWin98Machine();
  SetSz(kDialUpBinding, "MaxMTU", "1492");
  SetDword(kMstcp, "DefaultTTL", 64);
  SetRaw(kMstcp, "DefaultRcvWindow", REG_BINARY, std::string("\x10\x22", 2));
}

// "on 15 June 2001 at 09:30", as the program names a time.
std::string WhenText(const SYSTEMTIME& t) {
  static const char* const kMonths[] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
  char clock[8];
  wsprintfA(clock, "%02d:%02d", t.wHour, t.wMinute);
  return "on " + std::to_string(t.wDay) + " " + kMonths[t.wMonth - 1] + " " +
         std::to_string(t.wYear) + " at " + clock;
}

class ChangeUndo : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteTree(ChangesKey());
    RemoveFile(InstallDir() + "Velora.cfg");
  }
  void TearDown() override {
    if (run_.proc.Running()) {
      if (HWND box = FindAnyMessageBox(run_.proc.pid())) Answer(box, IDOK, 2000);
      run_.proc.Kill();
    }
    DeleteTree(ChangesKey());
    ClearMachine();
  }

  void StartMain() {
    run_ = StartFrame();
    ASSERT_NE(nullptr, run_.frame);
    ASSERT_TRUE(RunFirstIdlePasses(run_.frame));
    ASSERT_EQ(nullptr, FindAnyMessageBox(run_.proc.pid()));
  }

  void ChooseMode(int radioId, const char* dialogCaption) {
    Click(run_.form, radioId);
    HWND dlg = WaitForWindow(run_.proc.pid(), "#32770", dialogCaption);
    ASSERT_NE(nullptr, dlg) << dialogCaption;
    ASSERT_TRUE(Answer(dlg, IDOK));
  }

  // Expects a box of the program, checks its text and answers it.
  void ExpectBox(const std::string& text, int answer) {
    HWND box = WaitForMessageBox(run_.proc.pid(), kBoxCaption);
    ASSERT_NE(nullptr, box) << "no box for: " << text;
    EXPECT_EQ(text, MessageBoxText(box));
    ASSERT_TRUE(Answer(box, answer));
  }

  // The Apply of the menu with its restart declined; the time it was made.
  SYSTEMTIME ApplyFromTheMenu(bool lanQuestion = false) {
    SYSTEMTIME when;
    GetLocalTime(&when);
    PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
    if (lanQuestion) ExpectBox(kLanQuestion, IDYES);
    ExpectBox(kRestartQuestion, IDNO);
    ExpectBox(kRestartReminder, IDOK);
    return when;
  }

  // Opens the File menu as the keyboard does and picks the item of that
  // mnemonic; the box the command opens, or null when none came because the
  // item is grayed (the menu is closed then).
  HWND PickFromTheFileMenu(char mnemonic) {
    const DWORD pid = run_.proc.pid();
    IdlePass(run_.frame);  // the idle-time update sets the items' states
    PostMessageA(run_.frame, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    if (!WaitUntil([&] { return !TopWindows(pid, "#32768", nullptr, true).empty(); })) return nullptr;
    PostMessageA(run_.frame, WM_CHAR, mnemonic, 0);
    HWND box = WaitForMessageBox(pid, kBoxCaption, 1500);
    if (!box) {
      for (int i = 0; i < 2; ++i) PostMessageA(run_.frame, WM_KEYDOWN, VK_ESCAPE, 0);
      WaitUntil([&] { return TopWindows(pid, "#32768", nullptr, true).empty(); });
    }
    return box;
  }

  // Whether File > Undo Last Changes is grayed: picked, it asks nothing.
  bool UndoGrayed() {
    HWND box = PickFromTheFileMenu('u');
    if (box) Answer(box, IDNO);
    return box == nullptr;
  }

  // Undo with Yes, the restart declined. `what` names the change; the time
  // is the minute of `when` or the one after it.
  void UndoFromTheMenu(const std::string& what, const SYSTEMTIME& when) {
    HWND box = PickFromTheFileMenu('u');
    ASSERT_NE(nullptr, box) << "no question: the item is grayed";
    const std::string text = MessageBoxText(box);
    SYSTEMTIME later = when;
    FILETIME ft;
    SystemTimeToFileTime(&later, &ft);
    ULARGE_INTEGER t = {{ft.dwLowDateTime, ft.dwHighDateTime}};
    t.QuadPart += 60ull * 10000000ull;
    ft = {t.LowPart, t.HighPart};
    FileTimeToSystemTime(&ft, &later);
    auto question = [&](const SYSTEMTIME& at) {
      return "Velora 2001 will undo " + what + "\nmade " + WhenText(at) +
             ".\n\nEvery value it changed will be put back as it was before.\n"
             "Would you like to continue?";
    };
    EXPECT_TRUE(text == question(when) || text == question(later)) << text;
    EXPECT_TRUE(HasButton(box, IDYES) && HasButton(box, IDNO));
    ASSERT_TRUE(Answer(box, IDYES));
    ExpectBox("The values changed by " + what + "\nwere put back as they were before.", IDOK);
    ExpectBox(kRestartQuestion, IDNO);
    ExpectBox(kRestartReminder, IDOK);
  }

  FrameRun run_;
};

TEST_F(ChangeUndo, Windows98ApplyThenUndoLeavesEveryValueAsItWas) {
  SeedOwn98Values();
  const std::vector<std::string> before = Snapshot(k98Values);
  StartMain();
  EXPECT_TRUE(UndoGrayed()) << "nothing to undo yet";
  // A command that reaches the frame anyway does nothing either.
  PostCommand(run_.frame, ID_UNDO_CHANGES);
  EXPECT_EQ(nullptr, WaitForMessageBox(run_.proc.pid(), kBoxCaption, 1000));
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  const SYSTEMTIME when = ApplyFromTheMenu();
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ(3216, GetDword(kMstcp, "DefaultRcvWindow"));
  EXPECT_EQ("128", GetSz(kMstcp, "DefaultTTL"));
  EXPECT_TRUE(KeyExists(ChangesKey()));

  UndoFromTheMenu("the Apply of Automatic Mode - Dial-Up", when);
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
  StartMain();
  ChooseMode(IDC_MODE_LAN, "Automatic Mode - LAN");
  const SYSTEMTIME when = ApplyFromTheMenu(/*lanQuestion=*/true);
  EXPECT_EQ(1500, GetDword(kNtLanTcpip, "MTU"));
  EXPECT_EQ(1500, GetDword(std::string(kInterfaces) + "VlLan", "MTU"));
  EXPECT_FALSE(KeyExists(std::string(kInterfaces) + "VlWan"));

  UndoFromTheMenu("the Apply of Automatic Mode - LAN", when);
  EXPECT_EQ(before, Snapshot(values));
  EXPECT_TRUE(CloseFrame(run_));
  DeleteTree(std::string(kInterfaces) + "VlLan");
}

// The record is the program's own and outlives it: a new run undoes the
// change of the last one.
TEST_F(ChangeUndo, TheRecordSurvivesClosingAndStartingTheProgram) {
  SeedOwn98Values();
  const std::vector<std::string> before = Snapshot(k98Values);
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  const SYSTEMTIME when = ApplyFromTheMenu();
  ASSERT_TRUE(CloseFrame(run_));

  StartMain();
  UndoFromTheMenu("the Apply of Automatic Mode - Dial-Up", when);
  EXPECT_EQ(before, Snapshot(k98Values));
  EXPECT_TRUE(CloseFrame(run_));
}

// The restore deletes the tuned values; its Undo brings them back.
TEST_F(ChangeUndo, RestoreThenUndoBringsTheTunedValuesBack) {
  SeedOwn98Values();
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  ApplyFromTheMenu();
  const std::vector<std::string> tuned = Snapshot(k98Values);

  SYSTEMTIME when;
  GetLocalTime(&when);
  PostCommand(run_.frame, ID_RESTORE_ORIGINAL);
  ExpectBox(
      "The program will restore Windows default settings.\n"
      "It will restore both your Dial-Up and LAN settings.\nWould you like to continue?",
      IDYES);
  ExpectBox("Windows default settings were successfully restored.", IDOK);
  EXPECT_EQ("<absent>", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("<absent>", GetSz(kMstcp, "DefaultTTL"));

  UndoFromTheMenu("the restore of the Windows default settings", when);
  EXPECT_EQ(tuned, Snapshot(k98Values));
  EXPECT_EQ("576", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_TRUE(CloseFrame(run_));
}

// Without TCP/IP there is nothing to tune: said so, and nothing written.
TEST_F(ChangeUndo, WithoutTcpipTheUserIsToldAndNothingChanges) {
  SeedOwn98Values();
  DeleteTree(kMstcp);
  const std::vector<std::string> before = Snapshot(k98Values);
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
  ExpectBox(
      "TCP/IP is not installed on this computer, so there are\n"
      "no TCP/IP settings to change. Nothing was changed.\n\n"
      "Please install TCP/IP with Network in Control Panel,\n"
      "restart Windows and try again.",
      IDOK);
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
  StartMain();
  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
  ExpectBox(
      "The change could not be recorded, so it could not be undone later.\n"
      "Nothing was changed.\n\nPlease log on as an administrator and try again.",
      IDOK);
  EXPECT_EQ(before, Snapshot(k98Values));
  EXPECT_TRUE(CloseFrame(run_));
  DeleteTree(kBaseKey);
  SeedInstallFolder(InstallDir());
}

// ---- Current Settings ----

// The clipboard's text, read the way another program pastes it.
std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return "<no clipboard>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* p = static_cast<const char*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// The parts of `text` that `separator` ends.
std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string::npos;
       start = end + separator.size())
    parts.push_back(text.substr(start, end - start));
  return parts;
}

std::vector<std::string> Lines(const std::string& text) { return Split(text, "\r\n"); }

const char kHeadingLine[] = "Setting\tWhere\tValue now\tYour choice would write";

class CurrentSettings : public ChangeUndo {
 protected:
  // Opens the dialog from the View menu, copies its table and closes it.
  // The list's rows and columns are counted as the list view has them.
  std::vector<std::string> CopiedTable(int* rows = nullptr, int* columns = nullptr) {
    PostCommand(run_.frame, ID_CURRENT_SETTINGS);
    HWND dialog = WaitForWindow(run_.proc.pid(), "#32770", "Current Settings");
    if (!dialog) return {"<no dialog>"};
    EXPECT_EQ(run_.frame, GetWindow(dialog, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(run_.frame));
    HWND list = GetDlgItem(dialog, IDC_SETTINGS_LIST);
    EXPECT_NE(nullptr, list);
    EXPECT_EQ(LVS_REPORT, GetWindowLongA(list, GWL_STYLE) & LVS_TYPEMASK);
    if (rows) *rows = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    if (columns) {
      HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
      *columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    }
    // Every heading is shown whole: its text, in the dialog's font, and a
    // header's margins fit its column. (The list's own measures take
    // pointers, which no message carries across processes.)
    const std::vector<std::string> headings = Split(std::string(kHeadingLine) + "\t", "\t");
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0,
                             0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(dc, font);
    for (size_t c = 0; c < headings.size(); ++c) {
      SIZE text = {};
      GetTextExtentPoint32A(dc, headings[c].c_str(), static_cast<int>(headings[c].size()), &text);
      EXPECT_GE(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0), text.cx + 12) << headings[c];
    }
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      CloseClipboard();
    }
    // Sent, not posted: it returns once the copy is made, and the clipboard
    // is not opened here while the program wants it.
    DWORD_PTR done = 0;
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SETTINGS_COPY, BN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_SETTINGS_COPY)),
                        SMTO_NORMAL, kWait, &done);
    const std::string text = ClipboardText();
    EXPECT_TRUE(Answer(dialog, IDCANCEL));
    return Lines(text);
  }
};

TEST_F(CurrentSettings, ListsTheValuesBeforeAndAfterAnApply) {
  SeedOwn98Values();
  StartMain();
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

  ChooseMode(IDC_MODE_DIALUP, "Automatic Mode - Dial-Up");
  table = CopiedTable();
  ASSERT_EQ(12u, table.size());
  EXPECT_EQ("MTU (MaxMTU)\tDial-Up Adapter\t1492\t576", table[1]);
  EXPECT_EQ("MTU (MaxMTU)\tVelora Test Ethernet Adapter\t(not set)\t", table[3]);
  EXPECT_EQ("TTL (DefaultTTL)\tAll adapters\t64\t128", table[7]);

  ApplyFromTheMenu();
  table = CopiedTable();
  ASSERT_EQ(12u, table.size());
  EXPECT_EQ("MTU (MaxMTU)\tDial-Up Adapter\t576\t576", table[1]);
  EXPECT_EQ("RWIN (DefaultRcvWindow)\tAll adapters\t3216\t3216", table[5]);
  EXPECT_EQ("TTL (DefaultTTL)\tAll adapters\t128\t128", table[7]);
  EXPECT_EQ("NDI Cache (cachesize)\tAll adapters\t16\t16", table[11]);
  EXPECT_TRUE(CloseFrame(run_));
}

// From Windows Vista on the receive-window row says that Windows does not
// use it; before, there is no such note.
TEST_F(CurrentSettings, TheReceiveWindowRowOnVistaAndLater) {
  SeedNtMachine();
  const Value version = Get(kWindowsNt, "CurrentVersion");
  for (const char* v : {"6.1", "5.0"}) {
    SCOPED_TRACE(v);
    SetSz(kWindowsNt, "CurrentVersion", v);
    StartMain();
    int columns = 0;
    const std::vector<std::string> table = CopiedTable(nullptr, &columns);
    const bool vista = std::string(v) == "6.1";
    EXPECT_EQ(vista ? 5 : 4, columns);
    std::string rwin;
    for (const std::string& line : table)
      if (line.rfind("RWIN (TcpWindowSize)\t", 0) == 0) rwin = line;
    const std::string note =
        "\tNot used by Windows Vista and later: they size the receive window themselves";
    EXPECT_EQ(vista, rwin.size() > note.size() &&
                         rwin.compare(rwin.size() - note.size(), note.size(), note) == 0)
        << rwin;
    EXPECT_TRUE(CloseFrame(run_));
  }
  if (version.exists) SetRaw(kWindowsNt, "CurrentVersion", version.type, version.bytes);
}

}  // namespace
}  // namespace e2e
