// A small window layer in place of the MFC framework: one object per window,
// one virtual window procedure, notifications reflected to the control that
// raised them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace ui {

// How a window of a class of our own is made; every field has a default.
struct CreateArgs {
  const char* className = nullptr;
  const char* title = "";
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
  HWND parent = nullptr;
  HMENU menu = nullptr;  // a child's id for a child window
  // The class's icon, cursor and background when the class is registered
  // here; shared handles, never freed (null: none, the arrow, the button face).
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

class Wnd {
 public:
  Wnd() = default;
  virtual ~Wnd();
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;

  HWND hwnd() const { return hwnd_; }
  // The object bound to a window (a window of ours, a subclassed control or
  // a dialog), or null.
  static Wnd* FromHandle(HWND hwnd);

  // Attaches this object to an existing window (a dialog item, typically) and
  // routes its messages through WndProc. Runs PreSubclassWindow first.
  bool Subclass(HWND hwnd);
  bool AttachDlgItem(HWND dialog, int id) { return Subclass(GetDlgItem(dialog, id)); }

  // Registers (once) and creates a window of a class of our own whose
  // messages go to WndProc; null on failure.
  HWND Create(const CreateArgs& args);

  // A notification that a parent received for this control (WM_COMMAND,
  // WM_NOTIFY, WM_CTLCOLOR*). Return true to mark it handled; *result is then
  // what the parent returns.
  virtual bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  // Called by parents for WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* messages:
  // hands them to the child's object, when it has one.
  static bool ReflectToChild(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

 protected:
  virtual void PreSubclassWindow() {}
  virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
  // The window is gone and the object unbound. Runs once the outermost
  // message handler of our windows has returned, so an object may free
  // itself here even when its window was destroyed deep inside a handler
  // (a modal loop that took a WM_CLOSE, say).
  virtual void OnFinalMessage() {}

  // Ties this object to its window; every kind of window binds here.
  void Bind(HWND hwnd);
  // Runs one message of this object's window through `handle` with the
  // bookkeeping every window of ours shares: the handler depth, and at
  // WM_NCDESTROY the unbinding and the final message.
  template <typename Handler>
  auto Dispatch(UINT msg, Handler handle) -> decltype(handle());

  HWND hwnd_ = nullptr;

 private:
  class HandlerScope;
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Unbind();
  static void EnterHandler();
  static void LeaveHandler();
  WNDPROC oldProc_ = nullptr;
};

// Counts the handlers of our windows on the stack; when the outermost one
// returns, the final messages that waited for it run.
class Wnd::HandlerScope {
 public:
  HandlerScope() { EnterHandler(); }
  ~HandlerScope() { LeaveHandler(); }
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
};

template <typename Handler>
auto Wnd::Dispatch(UINT msg, Handler handle) -> decltype(handle()) {
  HandlerScope scope;
  auto result = handle();
  if (msg == WM_NCDESTROY) Unbind();
  return result;
}

// Small helpers used throughout the windows.
std::string GetText(HWND hwnd);
std::string GetItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
bool IsItemChecked(HWND dialog, int id);
void SetItemCheck(HWND dialog, int id, bool checked);
void EnableItem(HWND dialog, int id, bool enable);
std::string LoadResString(HINSTANCE instance, UINT id);
// The first of `items` that begins with `prefix`, letter case aside, as a
// combo box's CB_SELECTSTRING finds it; empty when none does.
std::string ComboItemWithPrefix(const std::vector<std::string>& items, const char* prefix);
// Fills a combo box with `items` in order and, when given, selects the item
// that begins with `selection`.
void FillComboBox(HWND combo, const std::vector<std::string>& items,
                  const char* selection = nullptr);
// A window's big and small icons (the caption, Alt+Tab, the task bar). The
// icons stay the caller's.
void SetIcons(HWND window, HICON big, HICON small);
inline void SetIcons(HWND window, HICON icon) { SetIcons(window, icon, icon); }

}  // namespace ui
