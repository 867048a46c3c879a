// A small window layer in place of the MFC framework: one object per window,
// one virtual window procedure, notifications reflected to the control that
// raised them.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

class Wnd {
 public:
  Wnd() = default;
  virtual ~Wnd();
  Wnd(const Wnd&) = delete;
  Wnd& operator=(const Wnd&) = delete;

  HWND hwnd() const { return hwnd_; }
  static Wnd* FromHandle(HWND hwnd);

  // Attaches this object to an existing window (a dialog item, typically) and
  // routes its messages through WndProc. Runs PreSubclassWindow first.
  bool Subclass(HWND hwnd);
  bool AttachDlgItem(HWND dialog, int id) { return Subclass(GetDlgItem(dialog, id)); }

  // Registers (once) and creates a window of a class of our own whose
  // messages go to WndProc.
  HWND CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                int y, int w, int h, HWND parent, HMENU menu, HICON icon = nullptr,
                HCURSOR cursor = nullptr, HBRUSH background = nullptr);

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
  virtual void OnFinalMessage() {}

  HWND hwnd_ = nullptr;

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  void Bind(HWND hwnd);
  WNDPROC oldProc_ = nullptr;
};

// Small helpers used throughout the windows.
std::string GetText(HWND hwnd);
std::string GetItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
bool IsItemChecked(HWND dialog, int id);
void SetItemCheck(HWND dialog, int id, bool checked);
void EnableItem(HWND dialog, int id, bool enable);
std::string LoadResString(HINSTANCE instance, UINT id);

// The focus rule of Windows dialogs: an unchecked radio button that receives
// the keyboard focus reports a click to its parent. Not every system does it
// (Wine does not), so we run the click ourselves, synchronously, when the
// radio is not checked, and then set the focus. The handler checks the radio,
// so Windows sees a checked radio and reports nothing more.
void FocusRadio(HWND radio);
inline void FocusRadio(HWND dialog, int id) { FocusRadio(GetDlgItem(dialog, id)); }

}  // namespace ui
