// Helpers of the main-window and About-box suites: reading the status bar
// and toolbar of the program's process, its resources, the stand-in programs
// that record what the program starts, and the idle passes of its loop.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/system_library.h"
#include "tests/e2e/harness.h"

namespace e2e {

// The main window of a fresh run with the install folder in place.
struct FrameRun {
  Proc proc;
  HWND frame = nullptr;
  HWND toolbar = nullptr;
  HWND statusBar = nullptr;
  HWND form = nullptr;
};
FrameRun StartFrame(const std::string& args = "");
// Closes the main window and waits for the end of the process.
bool CloseFrame(FrameRun& run);

// Runs the main window's first idle-time updates, the third of which shows
// the mode file's notice (a user's first mouse moves give them before any
// click). False when a box came instead.
bool RunFirstIdlePasses(HWND frame);

// Waits for a box of the process with that caption and text and answers it
// (a box of another text too, so that the run goes on to its end).
testing::AssertionResult AnswerBox(DWORD pid, const std::string& text, int answer,
                                   const char* caption);

// The loop has run an idle-time update to its end and no box has come: what
// the test did before shows no box, where one would come at the latest in
// that update. A failure names the box, or that no update ran.
testing::AssertionResult NoBoxAfterIdlePass(HWND frame);

// Answers the boxes of an Apply under way: Yes to the LAN question, No to the
// restart question, OK to the reminder. Empty when it ended so, else the
// text of the box that ended it otherwise (answered with OK).
std::string AnswerApplyBoxes(DWORD pid);
// The automatic LAN mode applied through the form as a user applies it: its
// radio, OK in the mode's dialog, Apply, and the Apply's boxes answered as
// above. Empty when all went so, else what went otherwise.
std::string ApplyAutomaticLan(DWORD pid, HWND frame);

// Status-bar and toolbar contents (the pane texts: see harness.h).
int PaneCount(HWND statusBar);
// The command ids of the toolbar's buttons in order, 0 for a separator.
std::vector<int> ToolbarCommands(HWND toolbar);
// A button's rectangle in the toolbar's client coordinates.
RECT ToolbarButtonRect(HWND toolbar, int command);

RECT WindowRect(HWND hwnd);
// A rectangle of the screen, row by row, each pixel 0x00RRGGBB; and an icon
// drawn over a solid background of that form, the same way.
std::vector<DWORD> ScreenPixels(const RECT& r);
std::vector<DWORD> IconPixels(HICON icon, int width, int height, DWORD background);
// Whether the left end of a window's caption shows one of the program's
// icons (read from the screen: Wine answers WM_GETICON only inside the
// window's own process). Until it has been painted, it shows none: wait
// for CaptionPainted before taking a "no" for an answer.
bool CaptionShowsOurIcon(HWND hwnd);
// Whether the caption's text is on the screen, which is drawn after its icon.
bool CaptionPainted(HWND hwnd);

// velora.exe of the install folder loaded for its resources only.
class Resources {
 public:
  Resources();
  HMODULE module() const { return module_.get(); }
  std::string String(UINT id) const;

 private:
  vl::ScopedModule module_;
};

// A stand-in program copied into the install folder (from the build's
// stubs), and its log there.
void InstallStub(const std::string& name);
std::vector<std::string> LogLines(const std::string& logName);
// Waits until the log has at least `count` lines.
std::vector<std::string> WaitForLogLines(const std::string& logName, size_t count,
                                         int timeoutMs = kWait);

// The running processes of that file name, and an end to every one of them
// (the stand-ins and helper programs that outlive a test).
std::vector<DWORD> ProcessesNamed(const char* exeName);
void EndProcessesNamed(const char* exeName);

// Makes the browser stand-in the opener of http and mailto addresses and of
// .htm files for its lifetime; the previous openers come back afterwards.
class BrowserStandIn {
 public:
  BrowserStandIn();
  ~BrowserStandIn();

 private:
  static const char kHtmType[];  // the file type .htm is given meanwhile
  struct Saved {
    std::string key;
    Value value;
  };
  std::vector<Saved> saved_;
};

}  // namespace e2e
