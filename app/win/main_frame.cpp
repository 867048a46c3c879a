#include "app/win/main_frame.h"

#include <commctrl.h>

#include "app/win/velora_app.h"
#include "form/win/form_view.h"
#include "res/resource.h"

CMainFrame* CMainFrame::CreateFrame() {
  CMainFrame* frame = new CMainFrame;
  DWORD style = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
  HMENU menu = LoadMenuA(theApp.m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
  if (!frame->CreateEx(0, "VeloraFrame", "", style, CW_USEDEFAULT, CW_USEDEFAULT, 604, 450,
                       nullptr, menu, LoadIconA(theApp.m_hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME)))) {
    delete frame;
    return nullptr;
  }
  return frame;
}

int CMainFrame::OnCreate() {
  theApp.m_pMainFrame = this;
  m_wndStatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                   hwnd_, reinterpret_cast<HMENU>(AFX_IDW_STATUS_BAR),
                                   theApp.m_hInstance, nullptr);
  if (!m_wndStatusBar) return -1;
  m_pFormView = new CMainFormView;
  if (!m_pFormView->Create(hwnd_)) return -1;
  LayoutChildren();

  {
    RECT r;
    GetWindowRect(hwnd_, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  return 0;
}

void CMainFrame::LayoutChildren() {
  RECT client;
  GetClientRect(hwnd_, &client);
  SendMessageA(m_wndStatusBar, WM_SIZE, 0, 0);
  RECT sb;
  GetWindowRect(m_wndStatusBar, &sb);
  int bottom = client.bottom - (IsWindowVisible(m_wndStatusBar) ? sb.bottom - sb.top : 0);
  if (m_pFormView && m_pFormView->hwnd())
    MoveWindow(m_pFormView->hwnd(), 0, 0, client.right, bottom, TRUE);
}

void CMainFrame::OnIdleUpdate() {}

bool CMainFrame::PreTranslateMessage(MSG* msg) {
  if (m_pFormView && m_pFormView->hwnd() && IsDialogMessageA(m_pFormView->hwnd(), msg)) return true;
  return false;
}

void CMainFrame::OnApplyNewSettings() {}

LRESULT CMainFrame::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate();
    case WM_SIZE:
      LayoutChildren();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == ID_APP_EXIT) {
        DestroyWindow(hwnd_);
        return 0;
      }
      break;
  }
  return Default(msg, wp, lp);
}
