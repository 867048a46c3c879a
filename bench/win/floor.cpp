// The floor for start-up, memory and the Apply: the least a Win32 program
// needs for the same window as velora.exe's frame, 604x450 with a menu and a
// status bar, and for the same paced progress bar followed by a question.
#include <windows.h>
#include <commctrl.h>

#include "runtime/win/startup_trace.h"
#include "tuning/apply_pace.h"

namespace {

const char kClass[] = "FloorFrame";
const UINT kApplyCommand = 32781;  // the command id the bench posts to velora.exe too
HWND statusBar = nullptr;

// Milliseconds of waiting per step, steps counted from 1: the pace of
// velora.exe's Apply, a millisecond for every million counts as its pacer
// waits them.
DWORD StepWaitMs(int step) { return static_cast<DWORD>(vl::ApplyStepCount(step) / 1000000u); }

// A progress bar over the first status-bar pane, stepped and painted 100
// times with the waits between, then the question and, on No, a reminder.
void Apply(HWND frame) {
  RECT pane;
  SendMessageA(statusBar, SB_GETRECT, 0, reinterpret_cast<LPARAM>(&pane));
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, pane.left, pane.top,
                             pane.right - pane.left, pane.bottom - pane.top, statusBar, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageA(bar, PBM_SETSTEP, 1, 0);
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  for (int step = 1; step <= vl::kApplySteps; ++step) {
    Sleep(StepWaitMs(step));
    SendMessageA(bar, PBM_STEPIT, 0, 0);
    UpdateWindow(bar);
  }
  SetCursor(previous);
  DestroyWindow(bar);
  if (MessageBoxA(frame, "Done. Restart now?", "Floor", MB_YESNO | MB_ICONQUESTION) == IDNO)
    MessageBoxA(frame, "Restart later.", "Floor", MB_OK | MB_ICONINFORMATION);
}

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
      if (LOWORD(wp) == kApplyCommand) Apply(hwnd);
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
  vl::TraceStep("WinMain entered: the program and its DLLs loaded");
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  vl::TraceStep("common controls registered");
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
  vl::TraceStep("window with menu and status bar created");
  ShowWindow(frame, SW_SHOW);  // as the frame it stands beside
  UpdateWindow(frame);
  vl::TraceStep("window shown and painted");
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) vl::TraceStep("first idle pass");
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  vl::TraceEnd();
  return 0;
}
