// Dialogs from resource templates: modal (DoModal) or as a child form
// (CreateChild). Hooks in the manner of the framework: OnInitDialog, OnOK,
// OnCancel, OnCommand, and DialogMessage for anything else. A dialog binds to
// its window as every Wnd does, so FromHandle finds it and OnFinalMessage
// runs when its window is gone.
#pragma once
#include "ui/window.h"

namespace ui {

class Dialog : public Wnd {
 public:
  // Runs the dialog modally; returns what EndDialog was given, or -1. With an
  // owner, the owner is disabled while the dialog runs and enabled and
  // activated again before it is destroyed (the system's modal dialog), and
  // the control that had the focus gets it back afterwards.
  INT_PTR DoModal(HWND owner, int templateId);
  // Creates the dialog as a modeless window (a form inside a frame).
  HWND CreateChild(HWND parent, int templateId);
  void EndDialog(INT_PTR result);
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

 protected:
  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // A WM_COMMAND not taken by the control's own object; true when handled.
  virtual bool OnCommand(int id, int code, HWND control) {
    (void)id; (void)code; (void)control;
    return false;
  }
  // Any other message; return true and set *result when handled.
  virtual bool DialogMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result) {
    (void)msg; (void)wp; (void)lp; (void)result;
    return false;
  }

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  INT_PTR HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  bool modal_ = false;
};

}  // namespace ui
