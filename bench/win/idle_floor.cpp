// The floor of the companion at idle: a bare hidden top-level window and its
// message loop, the least a resident program is.
#include <windows.h>

namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wp, lp);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = "IdleFloor";
  RegisterClassA(&wc);
  CreateWindowExA(0, wc.lpszClassName, "Idle Floor", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                  instance, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
