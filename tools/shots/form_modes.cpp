// Puts the running program's form into one of its three modes for a
// screenshot: clicks the mode radio, leaves the automatic-mode dialog with
// OK, and prints "left top right bottom" of the main window.
//   form_modes.exe dialup|lan|manual
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "res/resource.h"

namespace {

const char kFrameCaption[] = " Velora 2001 v5.1";

template <typename F>
bool WaitFor(F done, int ms = 20000) {
  for (int waited = 0; waited < ms; waited += 50) {
    if (done()) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 1;
  struct {
    const char* name;
    int radio;
    const char* dialog;
  } const modes[] = {
      {"dialup", IDC_MODE_DIALUP, "Automatic Mode - Dial-Up"},
      {"lan", IDC_MODE_LAN, "Automatic Mode - LAN"},
      {"manual", IDC_MODE_MANUAL, "Manual Mode"},
  };
  for (const auto& m : modes) {
    if (std::strcmp(argv[1], m.name) != 0) continue;
    HWND frame = nullptr, form = nullptr, dialog = nullptr;
    if (!WaitFor([&] { return (frame = FindWindowA(nullptr, kFrameCaption)) != nullptr; }))
      return 1;
    if (!WaitFor([&] { return (form = FindWindowExA(frame, nullptr, "#32770", nullptr)) != nullptr; }))
      return 1;
    // The idle-time updates that look for the start-up notice come first,
    // while no configuration is chosen.
    for (int i = 0; i < 4; ++i) {
      PostMessageA(frame, WM_NULL, 0, 0);
      Sleep(100);
    }
    PostMessageA(form, WM_COMMAND, MAKEWPARAM(m.radio, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(form, m.radio)));
    if (!WaitFor([&] {
          dialog = FindWindowA("#32770", m.dialog);
          return dialog && IsWindowVisible(dialog);
        }))
      return 1;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    if (!WaitFor([&] { return !IsWindow(dialog); })) return 1;
    Sleep(1500);  // repaint and the idle-time pane update
    RECT r;
    GetWindowRect(frame, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
  }
  return 1;
}
