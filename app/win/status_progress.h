// A progress bar laid over one pane of the status bar.
#pragma once
#include <windows.h>

// The rectangle of the status-bar pane with that id (client coordinates of
// the bar), after clearing the pane's text. When the pane has no visible
// rectangle, returns FALSE with a one-pixel strip just beyond the bar.
BOOL GetPaneRect(HWND statusBar, int paneId, RECT* rect);

class CStatusProgressCtrl {
 public:
  ~CStatusProgressCtrl() { DestroyWindow(); }
  BOOL Create(HWND statusBar, int paneId, DWORD style);
  HWND hwnd() const { return hwnd_; }
  void DestroyWindow();

 private:
  HWND hwnd_ = nullptr;
};
