#include "ui/window.h"

#include <vector>

namespace ui {

static const char kPropName[] = "VeloraWndObject";

Wnd::~Wnd() {
  if (hwnd_) {
    RemovePropA(hwnd_, kPropName);
    if (oldProc_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  }
}

Wnd* Wnd::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<Wnd*>(GetPropA(hwnd, kPropName)) : nullptr;
}

void Wnd::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  SetPropA(hwnd, kPropName, this);
}

bool Wnd::Subclass(HWND hwnd) {
  if (!hwnd || hwnd_) return false;
  Bind(hwnd);
  PreSubclassWindow();
  oldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Wnd::SubclassProc)));
  return true;
}

HWND Wnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                   int y, int w, int h, HWND parent, HMENU menu, HICON icon, HCURSOR cursor,
                   HBRUSH background) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  if (!GetClassInfoA(instance, className, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Wnd::StaticProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background ? background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) return nullptr;
  }
  return CreateWindowExA(exStyle, className, title, style, x, y, w, h, parent, menu, instance,
                         this);
}

LRESULT CALLBACK Wnd::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    if (self) self->Bind(hwnd);
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT r = self->WndProc(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kPropName);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
  }
  return r;
}

LRESULT CALLBACK Wnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  LRESULT r = self->WndProc(msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    RemovePropA(hwnd, kPropName);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->oldProc_));
    self->oldProc_ = nullptr;
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
  }
  return r;
}

LRESULT Wnd::WndProc(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }

LRESULT Wnd::Default(UINT msg, WPARAM wp, LPARAM lp) {
  if (oldProc_) return CallWindowProcA(oldProc_, hwnd_, msg, wp, lp);
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

bool Wnd::OnReflect(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool Wnd::ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND: child = reinterpret_cast<HWND>(lp); break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(lp)->hwndFrom; break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
      child = reinterpret_cast<HWND>(lp);
      break;
    default: return false;
  }
  Wnd* obj = FromHandle(child);
  return obj && obj->OnReflect(msg, wp, lp, result);
}

std::string GetText(HWND hwnd) {
  int n = GetWindowTextLengthA(hwnd);
  if (n <= 0) return std::string();
  std::vector<char> buffer(n + 1);
  int got = GetWindowTextA(hwnd, buffer.data(), n + 1);
  return std::string(buffer.data(), got > 0 ? got : 0);
}

std::string GetItemText(HWND dialog, int id) { return GetText(GetDlgItem(dialog, id)); }

void SetItemText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextA(dialog, id, text.c_str());
}

bool IsItemChecked(HWND dialog, int id) {
  return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetItemCheck(HWND dialog, int id, bool checked) {
  SendDlgItemMessageA(dialog, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void EnableItem(HWND dialog, int id, bool enable) { EnableWindow(GetDlgItem(dialog, id), enable); }

std::string LoadResString(HINSTANCE instance, UINT id) {
  char buffer[1024];
  int n = LoadStringA(instance, id, buffer, sizeof buffer);
  return std::string(buffer, n > 0 ? n : 0);
}

void FocusRadio(HWND radio) {
  if (!radio) return;
  if (SendMessageA(radio, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    HWND parent = GetParent(radio);
    int id = GetDlgCtrlID(radio);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(radio));
  }
  SetFocus(radio);
}

}  // namespace ui
