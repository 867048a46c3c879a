// The main frame: fixed-size window with menu, toolbar and status bar whose
// client area holds the form view.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "form/win/form_view.h"
#include "ui/window.h"

// Sent by the message loop when its queue runs dry (the framework's
// message): the frame then runs its idle-time update inside a handler of its
// own, so that a window destroyed meanwhile is freed only afterwards.
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;

class CMainFrame : public ui::Wnd {
 public:
  // Creates the frame (hidden), its bars and the form view; null on failure.
  // Once created, the frame's window ends its life: the application is told
  // in OnFinalMessage.
  static std::unique_ptr<CMainFrame> CreateFrame();

  // The framework's idle-time update: the menu items' states, and the
  // status-bar panes only while the frame and its status bar are visible, the
  // mode pane before the OS pane.
  void OnIdleUpdate();
  // Accelerators and the form's dialog keys; true when consumed.
  bool PreTranslateMessage(MSG* msg);

  void OnApplyNewSettings(bool deferred);
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
  bool CreateToolBar();
  bool CreateStatusBar();
  void PlaceWindow();
  void LayoutChildren();
  void SizePanes();

  // The menu items whose state follows the program's: Undo Last Changes is
  // grayed while there is nothing to undo.
  void UpdateMenuItems();
  void OnUpdateModePane();
  void OnUpdateOsPane();
  void SetPaneText(int index, const std::string& text);
  // The status-bar prompt of a command: its string's text before "\n".
  void ShowPrompt(UINT commandId);
  void ShowIdleMessage();

  bool OnCommand(UINT id);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  void OnInitMenuPopup(HMENU menu);
  bool OnNotify(NMHDR* header, LRESULT* result);
  void ToggleBar(HWND bar);

  int m_nModePaneUpdates = 1;
  HWND m_wndStatusBar = nullptr;
  HWND m_wndToolBar = nullptr;
  CMainFormView m_wndView;
  HACCEL m_hAccelTable = nullptr;
  bool m_bUndoShownEnabled = false;  // as the menu resource starts it: grayed
  int m_cxModePane = 0;
  int m_cxOsPane = 0;
  char m_szTipText[256] = {};
  wchar_t m_wszTipText[256] = {};
};
