#include "form/win/form_view.h"

#include "app/os_detect.h"
#include "app/win/velora_app.h"
#include "res/resource.h"
#include "ui/window.h"

bool CMainFormView::Create(HWND frame) {
  if (!CreateChild(frame, IDD_VELORA_FORM)) return false;
  OnInitialUpdate();
  return true;
}

void CMainFormView::OnInitialUpdate() {
  theApp.m_pFormView = this;
  vl::DetectOsName(theApp);
}

bool CMainFormView::IsChecked(int controlId) const { return ui::IsItemChecked(hwnd_, controlId); }

std::string CMainFormView::GetText(int controlId) const { return ui::GetItemText(hwnd_, controlId); }

void CMainFormView::SetCheck(int controlId, bool checked) {
  ui::SetItemCheck(hwnd_, controlId, checked);
}

bool CMainFormView::OnCommand(int, int, HWND) { return false; }

bool CMainFormView::DialogMessage(UINT, WPARAM, LPARAM, INT_PTR*) { return false; }
