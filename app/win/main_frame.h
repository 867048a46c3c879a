// The main frame: fixed-size window with menu, toolbar and status bar whose
// client area holds the form view.
#pragma once
#include <windows.h>

#include <string>

#include "form/win/form_view.h"
#include "state/app_state.h"
#include "ui/window.h"

// Sent by the message loop when its queue runs dry: the frame then runs its
// idle-time update inside a handler of its own, so that a window destroyed
// meanwhile is freed only afterwards. A message of the program's own, so from
// WM_APP up.
constexpr UINT WM_VELORA_IDLE_UPDATE = WM_APP + 1;

class CMainFrame : public ui::Wnd {
 public:
  // The frame of the program whose shared state is `app`; it sets
  // m_pMainFrame while its window lives.
  explicit CMainFrame(vl::AppState& app) : app_(app), m_wndView(app) {}

  // Creates the frame (hidden), its bars and the form view; false on
  // failure, with no window left.
  bool CreateFrame(HINSTANCE instance);

  // The framework's idle-time update, in this order: the menu items'
  // states (from the second pass on: the first leaves them for right after
  // itself); while the frame and its status bar are visible the mode pane,
  // the Apply asked for from the form, the start-up notice and the OS pane;
  // and while the toolbar is visible its buttons' states.
  void OnIdleUpdate();
  // The timer the first idle pass sets for what the window needs only once
  // it is in use (the lists' items, the Undo item's state). Its message ends
  // no burst, so it brings no second idle pass: the mode file's notice still
  // waits for the user's first move.
  bool IsAfterFirstIdleTimer(const MSG& msg) const {
    return msg.message == WM_TIMER && msg.hwnd == hwnd_ && msg.wParam == kAfterFirstIdleTimer;
  }
  // Accelerators and the form's dialog keys; true when consumed.
  bool PreTranslateMessage(MSG* msg);

  void OnApplyNewSettings(vl::ApplyOrigin origin);
  void OnRestoreOriginalSettings();
  void OnUndoChanges();

  HWND StatusBar() const { return m_wndStatusBar; }
  HWND ToolBar() const { return m_wndToolBar; }
  CMainFormView* FormView() { return &m_wndView; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnFinalMessage() override;

 private:
  int OnCreate();
  void RunAfterFirstIdle();
  // The one place an Apply asked for from the form runs.
  void RunPendingApply();
  void UpdateToolBarButtons();
  bool CreateToolBar();
  bool CreateStatusBar();
  void PlaceWindow();
  void LayoutChildren();
  void SizePanes();

  // The menu items whose state follows the program's: Undo Last Changes is
  // grayed while there is nothing to undo.
  void UpdateMenuItems();
  // Returns which update of the run this was, the first being 1.
  int OnUpdateModePane();
  void OnUpdateOsPane();
  void SetPaneText(int index, const std::string& text);
  // The second update's notice of the configuration the mode file names.
  void ShowStartupNotice();
  // A command's string: its prompt, "\n", its tooltip.
  std::string CommandString(UINT id) const;
  // The status-bar prompt of a command: its string's text before "\n".
  void ShowPrompt(UINT commandId);
  void ShowIdleMessage();

  bool OnCommand(UINT id);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  void OnInitMenuPopup(HMENU menu);
  bool OnNotify(NMHDR* header, LRESULT* result);
  void ToggleBar(HWND bar);

  vl::AppState& app_;
  HINSTANCE instance_ = nullptr;
  int m_nModePaneUpdates = 1;
  HWND m_wndStatusBar = nullptr;
  HWND m_wndToolBar = nullptr;
  CMainFormView m_wndView;
  HACCEL m_hAccelTable = nullptr;
  bool m_bUndoShownEnabled = false;  // as the menu resource starts it: grayed
  bool m_bFirstIdlePassDone = false;
  bool m_bAfterFirstIdlePending = false;
  static constexpr UINT_PTR kAfterFirstIdleTimer = 1;
  int m_cxModePane = 0;
  int m_cxOsPane = 0;
  char m_szTipText[256] = {};
  wchar_t m_wszTipText[256] = {};
};
