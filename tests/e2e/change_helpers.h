// The main window driven as a user does for a change of the TCP/IP
// settings: a mode chosen, the Apply, Undo and the restore from the menu with
// their boxes answered, Current Settings copied; and the values watched
// before and after, for the suites that check changes.
#pragma once
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {

inline std::string ChangesKey() { return std::string(kBaseKey) + "\\Changes"; }

// The values an Apply or a restore of the Windows 98 machine touches.
struct Watched {
  const char* key;
  const char* name;
};
inline const Watched k98Values[] = {
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

// "on 15 June 2001 at 09:30", as the program names a time.
inline std::string WhenText(const SYSTEMTIME& t) {
  static const char* const kMonths[] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
  char clock[8];
  wsprintfA(clock, "%02d:%02d", t.wHour, t.wMinute);
  return "on " + std::to_string(t.wDay) + " " + kMonths[t.wMonth - 1] + " " +
         std::to_string(t.wYear) + " at " + clock;
}

// The clipboard's text, read the way another program pastes it.
inline std::string ClipboardText() {
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
inline std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t end; (end = text.find(separator, start)) != std::string::npos;
       start = end + separator.size())
    parts.push_back(text.substr(start, end - start));
  return parts;
}

inline std::vector<std::string> Lines(const std::string& text) { return Split(text, "\r\n"); }

constexpr char kHeadingLine[] = "Setting\tWhere\tValue now\tYour choice would write";

// Each step of the road returns whether it went as expected, with what came
// instead; a test asserts on it, so a failure names the test's line and ends
// the test there.
class MainWindowTest : public ::testing::Test {
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

  // The main window with its first idle-time updates run and no box.
  testing::AssertionResult StartMain() {
    run_ = StartFrame();
    if (!run_.frame) return testing::AssertionFailure() << "no main window";
    if (!RunFirstIdlePasses(run_.frame))
      return testing::AssertionFailure() << "the first idle-time updates did not run";
    if (FindAnyMessageBox(run_.proc.pid()))
      return testing::AssertionFailure() << "a box at start-up: "
                                         << DescribeWindows(run_.proc.pid());
    return testing::AssertionSuccess();
  }

  testing::AssertionResult ChooseMode(int radioId, const char* dialogCaption) {
    Click(run_.form, radioId);
    HWND dlg = WaitForWindow(run_.proc.pid(), "#32770", dialogCaption);
    if (!dlg) return testing::AssertionFailure() << "no dialog " << dialogCaption;
    if (!Answer(dlg, IDOK)) return testing::AssertionFailure() << "the dialog stayed";
    return testing::AssertionSuccess();
  }

  // The box of the program with that text, answered.
  testing::AssertionResult AnswerBox(const std::string& text, int answer) {
    return e2e::AnswerBox(run_.proc.pid(), text, answer, kBoxCaption);
  }

  // The Apply of the menu with its restart declined; `when` is the time it
  // was asked for.
  testing::AssertionResult ApplyFromTheMenu(SYSTEMTIME* when = nullptr, bool lanQuestion = false,
                                            const std::string& restartQuestion = kRestartQuestion) {
    SYSTEMTIME asked;
    GetLocalTime(&asked);
    if (when) *when = asked;
    PostCommand(run_.frame, ID_APPLY_NEW_SETTINGS);
    if (lanQuestion) {
      testing::AssertionResult lan = AnswerBox(kLanQuestion, IDYES);
      if (!lan) return lan;
    }
    testing::AssertionResult restart = AnswerBox(restartQuestion, IDNO);
    return restart ? AnswerBox(kRestartReminder, IDOK) : restart;
  }

  // The restore of the menu, confirmed; `when` is the time it was asked for.
  testing::AssertionResult RestoreFromTheMenu(SYSTEMTIME* when = nullptr) {
    SYSTEMTIME asked;
    GetLocalTime(&asked);
    if (when) *when = asked;
    PostCommand(run_.frame, ID_RESTORE_ORIGINAL);
    testing::AssertionResult question = AnswerBox(
        "The program will restore Windows default settings.\n"
        "It will restore both your Dial-Up and LAN settings.\nWould you like to continue?",
        IDYES);
    return question ? AnswerBox("Windows default settings were successfully restored.", IDOK)
                    : question;
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
  testing::AssertionResult UndoFromTheMenu(const std::string& what, const SYSTEMTIME& when) {
    HWND box = PickFromTheFileMenu('u');
    if (!box) return testing::AssertionFailure() << "no question: the item is grayed";
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
    const bool yesNo = HasButton(box, IDYES) && HasButton(box, IDNO);
    if (!Answer(box, yesNo ? IDYES : IDOK)) return testing::AssertionFailure() << "the box stayed";
    if (text != question(when) && text != question(later))
      return testing::AssertionFailure() << "the question said:\n" << text;
    if (!yesNo) return testing::AssertionFailure() << "the question has no Yes and No";
    for (const auto& [said, answer] : {
             std::pair<std::string, int>{"The values changed by " + what +
                                             "\nwere put back as they were before.",
                                         IDOK},
             {kRestartQuestion, IDNO},
             {kRestartReminder, IDOK},
         }) {
      testing::AssertionResult step = AnswerBox(said, answer);
      if (!step) return step;
    }
    return testing::AssertionSuccess();
  }

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

  FrameRun run_;
};

}  // namespace e2e
