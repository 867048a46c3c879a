// The floor for start-up and memory: the least a Win32 program needs for the
// same window as velora.exe's frame, 604x450 with a menu and a status bar.
#include <windows.h>
#include <commctrl.h>

namespace {

const char kClass[] = "FloorFrame";
HWND statusBar = nullptr;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "Ready", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                  hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
      return statusBar ? 0 : -1;
    case WM_SIZE:
      SendMessageA(statusBar, WM_SIZE, 0, 0);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == 1) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

HMENU MakeMenu() {
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, 1, "E&xit");
  HMENU bar = CreateMenu();
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  return bar;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSA wc = {};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  if (!RegisterClassA(&wc)) return 1;
  DWORD style = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
  HWND frame = CreateWindowExA(0, kClass, "Floor", style, CW_USEDEFAULT, CW_USEDEFAULT, 604, 450,
                               nullptr, MakeMenu(), instance, nullptr);
  if (!frame) return 1;
  ShowWindow(frame, SW_SHOW);  // as the frame it stands beside
  UpdateWindow(frame);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
