#include "tests/e2e/frame_helpers.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstring>
#include <fstream>

#include "res/resource.h"

namespace e2e {

namespace {

// A buffer in the memory of the process that owns a window.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND hwnd, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const void* data, size_t size) {
    SIZE_T done = 0;
    return address_ && WriteProcessMemory(process_, address_, data, size, &done);
  }
  std::string Read() {
    std::string bytes(size_, '\0');
    SIZE_T done = 0;
    if (!address_ || !ReadProcessMemory(process_, address_, &bytes[0], size_, &done)) return "";
    return bytes;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

}  // namespace

FrameRun StartFrame(const std::string& args) {
  FrameRun run;
  SeedInstallFolder(InstallDir());
  run.proc = Start(args);
  run.frame = WaitForWindow(run.proc.pid(), "VeloraFrame", nullptr);
  if (run.frame) {
    run.toolbar = GetDlgItem(run.frame, 0xE800);
    run.statusBar = GetDlgItem(run.frame, 0xE801);
    run.form = FindWindowExA(run.frame, nullptr, "#32770", nullptr);
  }
  return run;
}

const char kNtLanTcpip[] = "SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip";
const char kNtTcpipParameters[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

std::string ApplyAutomaticLan(DWORD pid, HWND frame) {
  HWND form = FindWindowExA(frame, nullptr, "#32770", nullptr);
  if (!form) return "the form is missing";
  // The start-up notice comes with the first idle passes; a user's first
  // mouse moves give them before any click.
  for (int i = 0; i < 3; ++i) IdlePass(frame);
  Click(form, IDC_MODE_LAN);
  HWND dialog = WaitForWindow(pid, "#32770", "Automatic Mode - LAN");
  if (!dialog || !Answer(dialog, IDOK)) return "no automatic-mode dialog";
  Click(form, IDC_APPLY);
  for (int answer : {IDYES, IDNO, IDOK}) {
    HWND box = WaitForMessageBox(pid, "Velora 2001");
    if (!box) return "a message box of the Apply did not come (answer " + std::to_string(answer) + ")";
    std::string text = MessageBoxText(box);
    if (!HasButton(box, answer)) return "unexpected box: " + text;
    if (!Answer(box, answer)) return "the box stayed: " + text;
  }
  return "";
}

bool CloseFrame(FrameRun& run) {
  if (run.frame && IsWindow(run.frame)) PostMessageA(run.frame, WM_CLOSE, 0, 0);
  return run.proc.WaitExit();
}

void IdlePass(HWND frame) {
  PostMessageA(frame, WM_NULL, 0, 0);
  Settle(frame, 100);
}

std::string PaneText(HWND statusBar, int part) {
  RemoteBuffer buffer(statusBar, 512);
  std::string zeros(512, '\0');
  buffer.Write(zeros.data(), zeros.size());
  DWORD_PTR result = 0;
  SendMessageTimeoutA(statusBar, SB_GETTEXTA, part, buffer.address(), SMTO_NORMAL, 5000, &result);
  std::string text = buffer.Read();
  return text.substr(0, text.find('\0'));
}

void SetPaneTextRemote(HWND statusBar, int part, const std::string& text) {
  RemoteBuffer buffer(statusBar, text.size() + 1);
  buffer.Write(text.c_str(), text.size() + 1);
  DWORD_PTR result = 0;
  SendMessageTimeoutA(statusBar, SB_SETTEXTA, part, buffer.address(), SMTO_NORMAL, 5000, &result);
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

bool CaptionShowsOurIcon(HWND hwnd) {
  RECT r = WindowRect(hwnd);
  HDC screen = GetDC(nullptr);
  int hits = 0;
  // The icons' orbit and nodes are pure yellow and red, colours no caption
  // is drawn in.
  for (int y = r.top + 2; y < r.top + 24; ++y)
    for (int x = r.left + 2; x < r.left + 26; ++x) {
      COLORREF c = GetPixel(screen, x, y);
      if (c == RGB(255, 255, 0) || c == RGB(255, 0, 0)) ++hits;
    }
  ReleaseDC(nullptr, screen);
  return hits > 0;
}

Resources::Resources() {
  module_ = LoadLibraryExA((InstallDir() + "velora.exe").c_str(), nullptr,
                           LOAD_LIBRARY_AS_DATAFILE);
}

Resources::~Resources() {
  if (module_) FreeLibrary(module_);
}

std::string Resources::String(UINT id) const {
  char buffer[1024] = {};
  int n = LoadStringA(module_, id, buffer, sizeof buffer);
  return std::string(buffer, n > 0 ? n : 0);
}

void InstallStub(const std::string& name) {
  CopyFileA((BuildDir() + "stubs\\" + name).c_str(), (InstallDir() + name).c_str(), FALSE);
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

void EndProcessesNamed(const char* exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL ok = Process32First(snapshot, &entry); ok; ok = Process32Next(snapshot, &entry)) {
    if (_stricmp(entry.szExeFile, exeName) != 0) continue;
    if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(p, 1);
      WaitForSingleObject(p, 5000);
      CloseHandle(p);
    }
  }
  CloseHandle(snapshot);
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
