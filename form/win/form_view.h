// The form that fills the main window, from dialog template 101.
#pragma once
#include <windows.h>

#include <string>

#include "tuning/form_controls.h"
#include "ui/dialog.h"

class CMainFormView : public ui::Dialog, public vl::IFormControls {
 public:
  // Creates the form inside the frame and runs its initial update.
  bool Create(HWND frame);
  void OnInitialUpdate();

  // What the tuning engine reads at write time.
  bool IsChecked(int controlId) const override;
  std::string GetText(int controlId) const override;
  void SetCheck(int controlId, bool checked) override;

 protected:
  bool OnCommand(int id, int code, HWND control) override;
  bool DialogMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result) override;
  void OnOK() override {}
  void OnCancel() override {}
};
