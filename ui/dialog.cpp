#include "ui/dialog.h"

namespace ui {

namespace {
const char kDialogProp[] = "VeloraDialogObject";
}

INT_PTR Dialog::DoModal(HWND parent, int templateId) {
  modal_ = true;
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                         &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateChild(HWND parent, int templateId) {
  modal_ = false;
  return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent,
                            &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) {
  if (!hwnd_) return;
  if (modal_)
    ::EndDialog(hwnd_, result);
  else
    DestroyWindow(hwnd_);
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Dialog* self = static_cast<Dialog*>(GetPropA(hwnd, kDialogProp));
  if (!self && msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    SetPropA(hwnd, kDialogProp, self);
    self->hwnd_ = hwnd;
  }
  if (!self) return FALSE;
  INT_PTR r = self->HandleMessage(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kDialogProp);
    self->hwnd_ = nullptr;
  }
  return r;
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  INT_PTR custom = 0;
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND: {
      LRESULT reflected = 0;
      if (ReflectToChild(msg, wp, lp, &reflected)) return TRUE;
      int id = LOWORD(wp), code = HIWORD(wp);
      HWND control = reinterpret_cast<HWND>(lp);
      if (OnCommand(id, code, control)) return TRUE;
      if (id == IDOK && (code == BN_CLICKED || control == nullptr)) {
        OnOK();
        return TRUE;
      }
      if (id == IDCANCEL && (code == BN_CLICKED || control == nullptr)) {
        OnCancel();
        return TRUE;
      }
      break;
    }
    case WM_NOTIFY: {
      LRESULT reflected = 0;
      if (ReflectToChild(msg, wp, lp, &reflected)) {
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, reflected);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      LRESULT reflected = 0;
      // Brushes are returned directly from a dialog procedure.
      if (ReflectToChild(msg, wp, lp, &reflected)) return static_cast<INT_PTR>(reflected);
      break;
    }
    default:
      break;
  }
  if (DialogMessage(msg, wp, lp, &custom)) return custom;
  return FALSE;
}

}  // namespace ui
