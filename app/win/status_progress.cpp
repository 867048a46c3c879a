#include "app/win/status_progress.h"

#include <commctrl.h>

#include "res/resource.h"

// The panes of the frame's status bar, in order.
static int PaneIndex(int paneId) {
  switch (paneId) {
    case 0: return 0;
    case ID_INDICATOR_MODE: return 1;
    case ID_INDICATOR_OS: return 2;
    default: return -1;
  }
}

BOOL GetPaneRect(HWND statusBar, int paneId, RECT* rect) {
  int index = PaneIndex(paneId);
  SetRectEmpty(rect);
  if (index >= 0) {
    SendMessageA(statusBar, SB_GETRECT, index, reinterpret_cast<LPARAM>(rect));
    // The pane keeps its drawing type (the message pane has no border): the
    // high word of the text length is the type it was last given.
    WPARAM type = HIWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, index, 0));
    SendMessageA(statusBar, SB_SETTEXTA, index | type, reinterpret_cast<LPARAM>(""));
    UpdateWindow(statusBar);
  }
  if (IsWindowVisible(statusBar) && !IsRectEmpty(rect)) return TRUE;
  RECT bar;
  GetWindowRect(statusBar, &bar);
  rect->left = bar.right + 1;
  rect->top = bar.top;
  rect->right = bar.right + 2;
  rect->bottom = bar.bottom;
  return FALSE;
}

BOOL CStatusProgressCtrl::Create(HWND statusBar, int paneId, DWORD style) {
  RECT r;
  GetPaneRect(statusBar, paneId, &r);
  hwnd_ = CreateWindowExA(0, PROGRESS_CLASSA, "", style | WS_CHILD, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, statusBar,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(paneId)),
                          GetModuleHandleA(nullptr), nullptr);
  return hwnd_ != nullptr;
}

void CStatusProgressCtrl::DestroyWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}
