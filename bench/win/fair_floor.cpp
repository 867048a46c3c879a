// The fair floor of start-up: what any program pays that shows velora.exe's
// window as the user sees it at start-up. A bare frame of 604x450 with the
// program's own icon and menu, its flat toolbar of the same buttons and
// bitmap, its status bar of three panes, and in between the form's own
// dialog template, made by CreateDialogIndirectParamA straight from the
// resource: no window layer, no links, no lists filled, no Windows version
// looked up, nothing placed or moved. Linked with velora.exe's resources,
// so that every control, text, icon and font is the same; it notes its steps
// under the names velora.exe gives the same steps, so that the trace sets
// them side by side.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "runtime/win/startup_trace.h"

namespace {

const char kClass[] = "FairFloorFrame";
// What the OS pane shows once the idle pass has written it.
const char kOsPaneText[] = "   OS: Windows XP ";
constexpr int kWidth = 604;
constexpr int kHeight = 450;
constexpr int kImageWidth = 17;
constexpr int kImageHeight = 16;
constexpr int kImageCount = 15;

HWND toolBar = nullptr;
HWND statusBar = nullptr;
HWND form = nullptr;

// The toolbar's buttons in velora.exe's order: image, command; -1 for a
// separator. The spacers' command has no handler, so they start disabled.
const int kButtons[][2] = {
    {0, ID_APPLY_NEW_SETTINGS}, {1, ID_PING_CONFIGURATION}, {14, ID_FIND_MTU},
    {2, ID_TOOLBAR_SPACER},     {3, ID_RESTORE_ORIGINAL},   {4, ID_REGISTRY_BACKUP},
    {-1, 0},
    {5, ID_TOOLBAR_SPACER},     {6, ID_CPL_INTERNET},       {7, ID_CPL_SYSTEM},
    {8, ID_CPL_MODEMS},         {9, ID_CPL_NETWORK},        {-1, 0},
    {10, ID_TOOLBAR_SPACER},    {11, ID_HELP_INDEX},        {12, ID_APP_ABOUT},
    {13, ID_HELP_WEB_SUPPORT},
};

bool MakeToolBar(HWND frame, HINSTANCE instance) {
  toolBar = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0,
      0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_TOOLBAR)), instance, nullptr);
  if (!toolBar) return false;
  SendMessageA(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolBar, TB_SETBITMAPSIZE, 0, MAKELONG(kImageWidth, kImageHeight));
  SendMessageA(toolBar, TB_SETBUTTONSIZE, 0, MAKELONG(kImageWidth + 7, kImageHeight + 6));
  SendMessageA(toolBar, TB_SETINDENT, 8, 0);
  TBADDBITMAP images = {instance, IDR_MAINFRAME};
  SendMessageA(toolBar, TB_ADDBITMAP, kImageCount, reinterpret_cast<LPARAM>(&images));
  TBBUTTON buttons[sizeof kButtons / sizeof kButtons[0]] = {};
  int n = 0;
  for (const auto& b : kButtons) {
    TBBUTTON& t = buttons[n++];
    if (b[0] < 0) {
      t.fsStyle = TBSTYLE_SEP;
      continue;
    }
    t.iBitmap = b[0];
    t.idCommand = b[1];
    t.fsState = b[1] == ID_TOOLBAR_SPACER ? 0 : TBSTATE_ENABLED;
    t.fsStyle = TBSTYLE_BUTTON;
    t.iString = -1;
  }
  return SendMessageA(toolBar, TB_ADDBUTTONSA, n, reinterpret_cast<LPARAM>(buttons)) != FALSE;
}

int TextWidth(HWND window, const char* text) {
  HDC dc = GetDC(window);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  SelectObject(dc, old);
  ReleaseDC(window, dc);
  return size.cx;
}

// Three panes, the two on the right as wide as their sizing texts.
void SizePanes(HWND frame) {
  static int modeWidth = TextWidth(statusBar, " Automatic Mode - Dial-Up ") + 6;
  static int osWidth = TextWidth(statusBar, " OS: Windows 2000 ") + 6;
  RECT client;
  GetClientRect(frame, &client);
  int edges[3] = {client.right - osWidth - modeWidth - 4, client.right - osWidth - 2, -1};
  SendMessageA(statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

bool MakeStatusBar(HWND frame, HINSTANCE instance) {
  statusBar = CreateWindowExA(
      0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM, 0, 0, 0, 0,
      frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_STATUS_BAR)), instance, nullptr);
  if (!statusBar) return false;
  SizePanes(frame);
  char idle[128];
  if (LoadStringA(instance, IDS_IDLE_MESSAGE, idle, sizeof idle) > 0)
    SendMessageA(statusBar, SB_SETTEXTA, 0 | SBT_NOBORDERS, reinterpret_cast<LPARAM>(idle));
  return true;
}

// The form between the bars, as wide as the client area.
void LayOut(HWND frame) {
  if (!toolBar || !statusBar) return;
  RECT client, r;
  GetClientRect(frame, &client);
  SendMessageA(toolBar, TB_AUTOSIZE, 0, 0);
  GetWindowRect(toolBar, &r);
  const int top = r.bottom - r.top;
  SendMessageA(statusBar, WM_SIZE, 0, 0);
  SizePanes(frame);
  GetWindowRect(statusBar, &r);
  const int bottom = client.bottom - (r.bottom - r.top);
  if (form) MoveWindow(form, 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

// Nothing of ours between the template and its controls.
INT_PTR CALLBACK FormProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

bool MakeForm(HWND frame, HINSTANCE instance) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDD_VELORA_FORM), RT_DIALOG);
  HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
  const void* dialog = loaded ? LockResource(loaded) : nullptr;
  if (!dialog) return false;
  form = CreateDialogIndirectParamA(instance, static_cast<LPCDLGTEMPLATEA>(dialog), frame,
                                    FormProc, 0);
  return form != nullptr;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: {
      vl::TraceStep("frame window made (class, icon, menu)");
      HINSTANCE instance = reinterpret_cast<CREATESTRUCTA*>(lp)->hInstance;
      if (!MakeToolBar(hwnd, instance)) return -1;
      vl::TraceStep("toolbar and its bitmap");
      if (!MakeStatusBar(hwnd, instance)) return -1;
      vl::TraceStep("status bar and its panes");
      if (!MakeForm(hwnd, instance)) return -1;
      vl::TraceStep("form: the template's 56 controls");
      ShowWindow(form, SW_SHOW);
      LayOut(hwnd);
      return 0;
    }
    case WM_SIZE:
      LayOut(hwnd);
      return 0;
    case WM_SETFOCUS:
      if (form) {
        SetFocus(form);
        return 0;
      }
      break;
    case WM_COMMAND:
      if (LOWORD(wp) == ID_APP_EXIT) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  vl::TraceStep("WinMain entered: the program and its DLLs loaded");
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  vl::TraceStep("common controls registered");
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClass;
  if (!RegisterClassA(&wc)) return 1;
  // Made where velora.exe's frame ends, centred in the work area: whatever
  // lies there on the screen (the pointer, at the least) meets both alike.
  DWORD style = WS_OVERLAPPEDWINDOW & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int x = area.left + (area.right - area.left - kWidth) / 2;
  const int y = area.top + (area.bottom - area.top - kHeight) / 2;
  HWND frame = CreateWindowExA(0, kClass, " Fair Floor", style, x > area.left ? x : area.left,
                               y > area.top ? y : area.top, kWidth, kHeight, nullptr,
                               LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)), instance,
                               nullptr);
  if (!frame) return 1;
  vl::TraceStep("frame with its bars and form created");
  ShowWindow(frame, SW_SHOW);
  vl::TraceStep("caption set, window shown");
  UpdateWindow(frame);
  vl::TraceStep("first paint");
  MSG msg;
  bool panesWritten = false;
  for (;;) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && !panesWritten) {
      SendMessageA(statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(kOsPaneText));
      panesWritten = true;
      vl::TraceStep("first idle pass: pane texts");
    }
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) break;
    if (IsDialogMessageA(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  vl::TraceEnd();
  return 0;
}
