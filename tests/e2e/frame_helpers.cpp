#include "tests/e2e/frame_helpers.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <climits>
#include <cstring>
#include <fstream>

#include "res/resource.h"
#include "tests/e2e/texts.h"

namespace e2e {

FrameRun StartFrame(const std::string& args) {
  FrameRun run;
  SeedInstallFolder(InstallDir());
  run.proc = Start(args);
  run.frame = WaitForWindow(run.proc.pid(), kFrameClass, nullptr);
  if (run.frame) {
    run.toolbar = GetDlgItem(run.frame, AFX_IDW_TOOLBAR);
    run.statusBar = GetDlgItem(run.frame, AFX_IDW_STATUS_BAR);
    run.form = FindWindowExA(run.frame, nullptr, "#32770", nullptr);
  }
  return run;
}

bool RunFirstIdlePasses(HWND frame) {
  // The third update looks for the notice; each pass seen is a new one.
  for (int i = 0; i < 3; ++i)
    if (!IdlePass(frame)) return false;
  return true;
}

testing::AssertionResult AnswerBox(DWORD pid, const std::string& text, int answer,
                                   const char* caption) {
  HWND box = WaitForMessageBox(pid, caption);
  if (!box) return testing::AssertionFailure() << "no box for: " << text;
  const std::string shown = MessageBoxText(box);
  if (!Answer(box, answer)) return testing::AssertionFailure() << "the box stayed: " << shown;
  if (shown != text)
    return testing::AssertionFailure() << "the box said:\n" << shown << "\ninstead of:\n" << text;
  return testing::AssertionSuccess();
}

testing::AssertionResult NoBoxAfterIdlePass(HWND frame) {
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  const bool ran = IdlePass(frame);
  if (HWND box = FindAnyMessageBox(pid))
    return testing::AssertionFailure() << "a box came: " << MessageBoxText(box);
  if (!ran) return testing::AssertionFailure() << "no idle-time update ran";
  return testing::AssertionSuccess();
}

std::string AnswerApplyBoxes(DWORD pid) {
  for (;;) {
    HWND box = WaitForMessageBox(pid, kBoxCaption, 30000);
    if (!box) return "<no box>";
    const std::string text = MessageBoxText(box);
    const int answer = text == kLanQuestion ? IDYES : text == kRestartQuestion ? IDNO : IDOK;
    if (!Answer(box, answer)) return "<the box stayed> " + text;
    if (answer == IDYES) continue;
    if (answer == IDOK) return text;
    HWND reminder = WaitForMessageBox(pid, kBoxCaption);
    if (!reminder) return "<no reminder>";
    const std::string said = MessageBoxText(reminder);
    if (!Answer(reminder, IDOK)) return "<the box stayed> " + said;
    return said == kRestartReminder ? "" : said;
  }
}

std::string ApplyAutomaticLan(DWORD pid, HWND frame) {
  HWND form = FindWindowExA(frame, nullptr, "#32770", nullptr);
  if (!form) return "the form is missing";
  if (!RunFirstIdlePasses(frame)) return "a box came with the first idle-time updates";
  Click(form, IDC_MODE_LAN);
  HWND dialog = WaitForWindow(pid, "#32770", kLanModeCaption);
  if (!dialog || !Answer(dialog, IDOK)) return "no automatic-mode dialog";
  Click(form, IDC_APPLY);
  return AnswerApplyBoxes(pid);
}

bool CloseFrame(FrameRun& run) {
  if (run.frame && IsWindow(run.frame)) PostMessageA(run.frame, WM_CLOSE, 0, 0);
  return run.proc.WaitExit();
}

int PaneCount(HWND statusBar) {
  return static_cast<int>(SendMessageA(statusBar, SB_GETPARTS, 0, 0));
}

std::vector<int> ToolbarCommands(HWND toolbar) {
  std::vector<int> commands;
  int n = static_cast<int>(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
  RemoteBuffer buffer(toolbar, sizeof(TBBUTTON));
  for (int i = 0; i < n; ++i) {
    SendMessageA(toolbar, TB_GETBUTTON, i, buffer.address());
    std::string bytes = buffer.Read();
    TBBUTTON button = {};
    std::memcpy(&button, bytes.data(), sizeof button);
    commands.push_back((button.fsStyle & TBSTYLE_SEP) ? 0 : button.idCommand);
  }
  return commands;
}

RECT ToolbarButtonRect(HWND toolbar, int command) {
  LRESULT index = SendMessageA(toolbar, TB_COMMANDTOINDEX, command, 0);
  RemoteBuffer buffer(toolbar, sizeof(RECT));
  SendMessageA(toolbar, TB_GETITEMRECT, index, buffer.address());
  RECT r = {};
  std::string bytes = buffer.Read();
  std::memcpy(&r, bytes.data(), sizeof r);
  return r;
}

RECT WindowRect(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  return r;
}

namespace {

// What `draw` paints into a `width` x `height` bitmap like the screen's, row
// by row, each pixel 0x00RRGGBB.
template <typename F>
std::vector<DWORD> DrawnPixels(int width, int height, F draw) {
  if (width <= 0 || height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(mem, bitmap);
  draw(mem, screen);
  SelectObject(mem, old);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> px(static_cast<size_t>(width) * height);
  GetDIBits(mem, bitmap, 0, height, px.data(), &bi, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  for (DWORD& p : px) p &= 0xFFFFFF;
  return px;
}

}  // namespace

std::vector<DWORD> ScreenPixels(const RECT& r) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  return DrawnPixels(width, height, [&](HDC mem, HDC screen) {
    BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  });
}

std::vector<DWORD> IconPixels(HICON icon, int width, int height, DWORD background) {
  return DrawnPixels(width, height, [&](HDC mem, HDC) {
    HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 255, (background >> 8) & 255,
                                        background & 255));
    RECT all = {0, 0, width, height};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    DrawIconEx(mem, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  });
}

namespace {

// Whether a pixel of a window's caption bar, from its left edge to the
// caption buttons and no further right than `right`, matches.
template <typename F>
bool CaptionHas(HWND hwnd, int right, F match) {
  RECT window = WindowRect(hwnd);
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  const int edge = origin.x - window.left;
  const int buttons = 3 * GetSystemMetrics(SM_CXSIZE);
  RECT bar = {window.left + edge, window.top + edge, window.right - edge - buttons,
              window.top + edge + GetSystemMetrics(SM_CYCAPTION) - 1};
  if (right < bar.right - bar.left) bar.right = bar.left + right;
  for (DWORD p : ScreenPixels(bar))
    if (match(RGB((p >> 16) & 255, (p >> 8) & 255, p & 255))) return true;
  return false;
}

}  // namespace

bool CaptionShowsOurIcon(HWND hwnd) {
  // The program's and the About box's icons have a pure yellow orbit with red
  // nodes, the Ping Configuration's a bright green trace: colours no caption
  // is drawn in.
  return CaptionHas(hwnd, 26, [](COLORREF c) {
    return c == RGB(255, 255, 0) || c == RGB(255, 0, 0) ||
           (GetGValue(c) > 200 && GetRValue(c) < 100 && GetBValue(c) < 100);
  });
}

bool CaptionPainted(HWND hwnd) {
  // The caption's text is drawn last, after the background and the icon.
  const COLORREF texts[] = {GetSysColor(COLOR_CAPTIONTEXT), GetSysColor(COLOR_INACTIVECAPTIONTEXT)};
  return CaptionHas(hwnd, INT_MAX, [&](COLORREF c) { return c == texts[0] || c == texts[1]; });
}

Resources::Resources()
    : module_(LoadLibraryExA((InstallDir() + "velora.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE)) {}

std::string Resources::String(UINT id) const {
  char buffer[1024] = {};
  int n = LoadStringA(module_.get(), id, buffer, sizeof buffer);
  return std::string(buffer, n > 0 ? n : 0);
}

void InstallStub(const std::string& name) {
  CopyProgram(BuildDir() + "stubs\\" + name, InstallDir() + name);
}

std::vector<std::string> LogLines(const std::string& logName) {
  std::vector<std::string> lines;
  std::ifstream in(InstallDir() + logName, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> WaitForLogLines(const std::string& logName, size_t count, int timeoutMs) {
  std::vector<std::string> lines;
  WaitUntil(
      [&] {
        lines = LogLines(logName);
        return lines.size() >= count;
      },
      timeoutMs);
  return lines;
}

std::vector<DWORD> ProcessesNamed(const char* exeName) {
  std::vector<DWORD> found;
  vl::ScopedHandle snapshot{CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
  if (!snapshot) return found;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot.get(), &entry); ok;
       ok = Process32Next(snapshot.get(), &entry))
    if (_stricmp(entry.szExeFile, exeName) == 0) found.push_back(entry.th32ProcessID);
  return found;
}

void EndProcessesNamed(const char* exeName) {
  for (DWORD pid : ProcessesNamed(exeName)) {
    if (vl::ScopedHandle p{OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)}) {
      TerminateProcess(p.get(), 1);
      WaitForSingleObject(p.get(), 5000);
    }
  }
}

const char BrowserStandIn::kHtmType[] = "VeloraTest.htmfile";

BrowserStandIn::BrowserStandIn() {
  InstallStub("browser.exe");
  RemoveFile(InstallDir() + "browser.log");
  // Web pages on disk open through the file type of .htm.
  saved_.push_back({".htm", Get(".htm", "", HKEY_CLASSES_ROOT)});
  SetSz(".htm", "", kHtmType, HKEY_CLASSES_ROOT);
  for (std::string opener : {"http", "mailto", kHtmType}) {
    std::string key = opener + "\\shell\\open\\command";
    saved_.push_back({key, Get(key, "", HKEY_CLASSES_ROOT)});
    SetSz(key, "", "\"" + InstallDir() + "browser.exe\" \"%1\"", HKEY_CLASSES_ROOT);
  }
}

BrowserStandIn::~BrowserStandIn() {
  for (const Saved& s : saved_) {
    if (s.value.exists)
      SetRaw(s.key, "", s.value.type, s.value.bytes, HKEY_CLASSES_ROOT);
    else
      DeleteValue(s.key, "", HKEY_CLASSES_ROOT);
  }
  DeleteTree(kHtmType, HKEY_CLASSES_ROOT);
  EndProcessesNamed("browser.exe");
}

}  // namespace e2e
