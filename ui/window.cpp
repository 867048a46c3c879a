#include "ui/window.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

// One UI thread: the handlers of our windows now on its stack, and the
// objects whose window went while they ran.
int g_handlerDepth = 0;
bool g_runningFinals = false;
// Never freed: objects destroyed at the program's exit, after this file's
// statics perhaps, still look in it.
std::vector<Wnd*>& FinalPending() {
  static auto* pending = new std::vector<Wnd*>;
  return *pending;
}

// Our windows and their objects, looked up for every message of each of them
// (and for each notification a parent reflects). Kept in the process rather
// than in window properties, which Wine keeps in its server: a round trip
// per message. A dozen windows at most; never freed, like the list above.
std::vector<std::pair<HWND, Wnd*>>& BoundWindows() {
  static auto* bound = new std::vector<std::pair<HWND, Wnd*>>;
  return *bound;
}

void Forget(HWND hwnd) {
  auto& bound = BoundWindows();
  for (auto it = bound.begin(); it != bound.end(); ++it) {
    if (it->first == hwnd) {
      bound.erase(it);
      return;
    }
  }
}

}  // namespace

Wnd::~Wnd() {
  std::vector<Wnd*>& pending = FinalPending();
  pending.erase(std::remove(pending.begin(), pending.end(), this), pending.end());
  if (hwnd_) {
    Forget(hwnd_);
    if (oldProc_) SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  }
}

Wnd* Wnd::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  for (const auto& entry : BoundWindows())
    if (entry.first == hwnd) return entry.second;
  return nullptr;
}

void Wnd::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  Forget(hwnd);
  BoundWindows().emplace_back(hwnd, this);
}

void Wnd::Unbind() {
  Forget(hwnd_);
  if (oldProc_) {
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
    oldProc_ = nullptr;
  }
  hwnd_ = nullptr;
  FinalPending().push_back(this);
}

void Wnd::EnterHandler() { ++g_handlerDepth; }

void Wnd::LeaveHandler() {
  if (--g_handlerDepth > 0 || g_runningFinals) return;
  // A final message may free objects (their destructors leave the list) or
  // run handlers of its own; the loop takes whatever is still waiting.
  g_runningFinals = true;
  std::vector<Wnd*>& pending = FinalPending();
  while (!pending.empty()) {
    Wnd* done = pending.front();
    pending.erase(pending.begin());
    done->OnFinalMessage();
  }
  g_runningFinals = false;
}

bool Wnd::Subclass(HWND hwnd) {
  if (!hwnd || hwnd_) return false;
  Bind(hwnd);
  PreSubclassWindow();
  oldProc_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Wnd::SubclassProc)));
  return true;
}

HWND Wnd::Create(const CreateArgs& args) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  if (!GetClassInfoA(instance, args.className, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Wnd::StaticProc;
    wc.hInstance = instance;
    wc.hIcon = args.icon;
    wc.hCursor = args.cursor ? args.cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground =
        args.background ? args.background : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = args.className;
    if (!RegisterClassA(&wc)) return nullptr;
  }
  return CreateWindowExA(args.exStyle, args.className, args.title, args.style, args.x, args.y,
                         args.width, args.height, args.parent, args.menu, instance, this);
}

LRESULT CALLBACK Wnd::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    self = static_cast<Wnd*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    if (self) self->Bind(hwnd);
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  return self->Dispatch(msg, [&] { return self->WndProc(msg, wp, lp); });
}

LRESULT CALLBACK Wnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* self = FromHandle(hwnd);
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  return self->Dispatch(msg, [&] { return self->WndProc(msg, wp, lp); });
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

std::string ComboItemWithPrefix(const std::vector<std::string>& items, const char* prefix) {
  const int n = lstrlenA(prefix);
  for (const std::string& item : items)
    if (static_cast<int>(item.size()) >= n &&
        CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, item.c_str(), n, prefix, n) ==
            CSTR_EQUAL)
      return item;
  return std::string();
}

void FillComboBox(HWND combo, const std::vector<std::string>& items, const char* selection) {
  for (const std::string& item : items)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  if (selection) SendMessageA(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(selection));
}

void SetIcons(HWND window, HICON big, HICON small) {
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

}  // namespace ui
