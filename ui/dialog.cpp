#include "ui/dialog.h"

namespace ui {

INT_PTR Dialog::DoModal(HWND owner, int templateId) {
  modal_ = true;
  // The owner's activation puts its focus on its first control; the control
  // the user was on is the one to come back to, as the framework's form did.
  HWND focus = owner ? GetFocus() : nullptr;
  if (focus && focus != owner && !IsChild(owner, focus)) focus = nullptr;
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                                   &Dialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
  if (focus && IsWindow(focus) && IsWindowVisible(focus) && IsWindowEnabled(focus) &&
      IsWindowEnabled(owner))
    SetFocus(focus);
  return result;
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
  auto* self = static_cast<Dialog*>(FromHandle(hwnd));
  if (!self && msg == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lp);
    self->Bind(hwnd);
  }
  if (!self) return FALSE;
  return self->Dispatch(msg, [&] { return self->HandleMessage(msg, wp, lp); });
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
