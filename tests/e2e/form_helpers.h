// Helpers of the form's Wine suites: start the program with its form, choose
// modes through the automatic-mode dialog, type into controls, run an Apply.
#pragma once
#include <windows.h>

#include <cwchar>
#include <string>

#include "res/resource.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {

struct FormApp {
  Proc p;
  HWND frame = nullptr;
  HWND form = nullptr;
  HWND Item(int id) const { return GetDlgItem(form, id); }
};

inline const std::string& ModeFilePath() {
  static const std::string path = InstallDir() + "Velora.cfg";
  return path;
}

// Starts velora.exe with no mode file (whose notice would come in the way),
// finds the form inside the main window and lets the first idle-time
// updates pass while no configuration is chosen yet.
inline FormApp StartFormApp() {
  RemoveFile(ModeFilePath());
  FrameRun run = StartFrame();
  FormApp a{std::move(run.proc), run.frame, run.form};
  if (a.frame) RunFirstIdlePasses(a.frame);
  return a;
}

inline void CloseFormApp(FormApp& a) {
  if (a.frame) PostMessageA(a.frame, WM_CLOSE, 0, 0);
  a.p.WaitExit();
}

// Clicks a mode radio or caption and waits for the dialog with that title.
inline HWND OpenModeDialog(const FormApp& a, int id, const char* title) {
  Click(a.form, id);
  return WaitForWindow(a.p.pid(), "#32770", title);
}

inline bool PressEscape(HWND dialog) {
  PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  return WaitGone(dialog);
}

// Chooses a mode and leaves its dialog with OK (manual mode: with the
// adapter answer when the question comes).
inline bool ChooseMode(const FormApp& a, int id, const char* title, bool answerLan = false) {
  HWND dlg = OpenModeDialog(a, id, title);
  if (!dlg) return false;
  if (answerLan) {
    // (A hidden radio is no answer; clicking one would only hang Wine's
    // radio group walk.)
    if (!IsVisible(dlg, IDC_AUTO_ADAPTER_LAN)) return false;
    PostMessageA(GetDlgItem(dlg, IDC_AUTO_ADAPTER_LAN), BM_CLICK, 0, 0);
    WaitUntil([&] { return IsChecked(dlg, IDC_AUTO_ADAPTER_LAN); });
  }
  // The form takes the choice once the dialog is gone.
  return Answer(dlg, IDOK) && IdlePass(a.frame);
}

// Keys typed into an edit (or a list's edit field), one WM_CHAR each.
inline void TypeInto(HWND edit, const std::string& keys) {
  for (char ch : keys) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(ch), 1);
}

inline void ClearEdit(HWND edit) {
  PostMessageA(edit, EM_SETSEL, 0, -1);
  PostMessageA(edit, WM_CHAR, VK_BACK, 1);
}

inline HWND ListEditField(HWND combo) { return FindWindowExA(combo, nullptr, "Edit", nullptr); }

}  // namespace e2e

namespace e2e {

inline INT_PTR CALLBACK IgnoreDialogMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Dialog units of "MS Sans Serif" 8 in pixels, measured on a dialog of our
// own with that font: x, y of a position, or w, h of a size.
inline RECT DialogUnitsToPixels(int x, int y, int w, int h) {
  struct alignas(4) Template {
    DLGTEMPLATE t;
    WORD menu, cls, title, pointSize;
    wchar_t face[14];
  } tpl = {};
  tpl.t.style = DS_SETFONT | WS_POPUP;
  tpl.t.cx = 100;
  tpl.t.cy = 100;
  tpl.pointSize = 8;
  wcscpy(tpl.face, L"MS Sans Serif");
  HWND probe = CreateDialogIndirectParamA(
      GetModuleHandleA(nullptr), &tpl.t, nullptr, IgnoreDialogMessages, 0);
  RECT pos = {x, y, x, y}, size = {0, 0, w, h};
  MapDialogRect(probe, &pos);
  MapDialogRect(probe, &size);
  DestroyWindow(probe);
  return {pos.left, pos.top, pos.left + size.right, pos.top + size.bottom};
}

// A control's rectangle in its dialog's client area.
inline RECT ClientRectOf(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

inline std::string ClassOf(HWND hwnd) {
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

}  // namespace e2e

namespace e2e {

// Runs the Apply command from the menu: says Yes to the LAN question, No to
// the restart question and OK to the reminder. Returns "" when the settings
// were written, else the text of the box that stopped the command.
inline std::string ApplyFromMenu(const FormApp& a) {
  PostCommand(a.frame, ID_APPLY_NEW_SETTINGS);
  return AnswerApplyBoxes(a.p.pid());
}

}  // namespace e2e
