// The automatic-mode dialog (template 146): explains the chosen mode and, for
// manual mode on a machine with both kinds of adapter, asks which to
// configure.
#pragma once
#include <windows.h>

#include "tuning/adapters.h"
#include "ui/dialog.h"

class CAutoModeDlg : public ui::Dialog {
 public:
  // Picks the icon by the current mode. `owner` is the window kept disabled
  // while the dialog runs (the dialog has no parent).
  explicit CAutoModeDlg(HWND owner);
  ~CAutoModeDlg() override;
  INT_PTR DoModal();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  HWND m_hOwner;
  HICON m_hIcon;
  ui::Wnd m_staticIcon;
  vl::AdapterCensus m_census;
};
