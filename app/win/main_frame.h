// The main frame: fixed-size window with menu, toolbar and status bar whose
// client area holds the form view.
#pragma once
#include <windows.h>

#include "ui/window.h"

class CMainFormView;

class CMainFrame : public ui::Wnd {
 public:
  // Creates the frame (hidden), its bars and the form view; null on failure.
  static CMainFrame* CreateFrame();

  // The framework's idle-time update of the status-bar panes.
  void OnIdleUpdate();
  // Accelerators and the form's dialog keys; true when consumed.
  bool PreTranslateMessage(MSG* msg);

  void OnApplyNewSettings();

  HWND StatusBar() const { return m_wndStatusBar; }
  CMainFormView* FormView() const { return m_pFormView; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  int OnCreate();
  void LayoutChildren();

  int m_nModePaneUpdates = 1;
  HWND m_wndStatusBar = nullptr;
  HWND m_wndToolBar = nullptr;
  CMainFormView* m_pFormView = nullptr;
};
