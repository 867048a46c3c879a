#include "app/win/apply_ui.h"

#include <commctrl.h>

void CApplyUi::CreateProgress() { m_wndProgress.Create(statusBar_, 0, WS_VISIBLE); }

void CApplyUi::ShowProgress() { ShowWindow(m_wndProgress.hwnd(), SW_SHOWNORMAL); }

void CApplyUi::SetRange(int low, int high) {
  SendMessageA(m_wndProgress.hwnd(), PBM_SETRANGE, 0, MAKELPARAM(low, high));
}

void CApplyUi::SetStep(int step) { SendMessageA(m_wndProgress.hwnd(), PBM_SETSTEP, step, 0); }

void CApplyUi::SetPos(int pos) { SendMessageA(m_wndProgress.hwnd(), PBM_SETPOS, pos, 0); }

void CApplyUi::StepIt() {
  SendMessageA(m_wndProgress.hwnd(), PBM_STEPIT, 0, 0);
  // No messages run during the steps, so the bar is painted here.
  UpdateWindow(m_wndProgress.hwnd());
}

void CApplyUi::DestroyProgress() { m_wndProgress.DestroyWindow(); }

void CApplyUi::BeginWaitCursor() { previousCursor_ = SetCursor(LoadCursor(nullptr, IDC_WAIT)); }

void CApplyUi::EndWaitCursor() {
  SetCursor(previousCursor_ ? previousCursor_ : LoadCursor(nullptr, IDC_ARROW));
}
