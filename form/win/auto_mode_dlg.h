// The automatic-mode dialog (template 146): explains the chosen mode and, for
// manual mode on a machine with both kinds of adapter, asks which to
// configure. It only reports the answer; the form decides what follows.
#pragma once
#include <windows.h>

#include "form/mode_choice.h"
#include "state/app_state.h"
#include "ui/dialog.h"

class CAutoModeDlg : public ui::Dialog {
 public:
  // The dialog of `configMode`. `owner` is the window kept disabled while
  // the dialog runs (the dialog has no parent).
  CAutoModeDlg(vl::AppState& app, HWND owner, int configMode);
  ~CAutoModeDlg() override;
  INT_PTR DoModal();
  // What the user did, once DoModal has returned.
  const vl::AutoModeAnswer& Answer() const { return m_answer; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  vl::AppState& app_;
  HWND m_hOwner;
  int m_nConfigMode;
  HICON m_hIcon;
  ui::Wnd m_staticIcon;
  vl::AutoModeAnswer m_answer;
};
