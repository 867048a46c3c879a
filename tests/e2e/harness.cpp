#include "tests/e2e/harness.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace e2e {

const char kBaseKey[] = "SOFTWARE\\Norwick Ltd\\Velora 2001";

static void Fail(const std::string& what) { throw std::runtime_error(what); }

static std::string Env(const char* name, const char* otherwise = "") {
  const char* value = std::getenv(name);
  return value ? value : otherwise;
}

static std::string AsFolder(std::string d) {
  if (d.empty() || d.back() != '\\') d += '\\';
  return d;
}

std::string BuildDir() { return AsFolder(Env("VELORA_BUILD_DIR", ".")); }

bool Is64BitWindows() {
  SYSTEM_INFO info = {};
  GetNativeSystemInfo(&info);
  return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64;
}

bool CanRun32BitPrograms() { return !Is64BitWindows() || Env("VELORA_RUN32") == "1"; }

std::string Win32BuildDir() { return AsFolder(Env("VELORA_WIN32_BUILD_DIR")); }

std::string SetupProgram() { return Env("VELORA_SETUP"); }

bool SetupIsShipped() { return CanRun32BitPrograms(); }

std::string InstallDir() { return "C:\\VeloraTest\\"; }

static void CopyOrFail(const std::string& from, const std::string& to) {
  SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) Fail("cannot copy " + from + " to " + to);
}

void PrepareInstallDir() {
  CreateDirectoryA(InstallDir().c_str(), nullptr);
  CopyOrFail(BuildDir() + "velora.exe", InstallDir() + "velora.exe");
  CopyOrFail(BuildDir() + "stubs\\vldetect.exe", InstallDir() + "vldetect.exe");
}

// ---- Registry ----

static HKEY CreateOrFail(HKEY root, const std::string& path, bool isVolatile = false) {
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExA(root, path.c_str(), 0, nullptr,
                            isVolatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) Fail("cannot create key " + path + ": " + std::to_string(rc));
  return key;
}

void SetRaw(const std::string& path, const std::string& name, DWORD type, const std::string& bytes,
            HKEY root) {
  HKEY key = CreateOrFail(root, path);
  LONG rc = RegSetValueExA(key, name.c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(bytes.data()), bytes.size());
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) Fail("cannot set " + path + "\\" + name);
}

void SetSz(const std::string& path, const std::string& name, const std::string& text, HKEY root) {
  SetRaw(path, name, REG_SZ, text + std::string(1, '\0'), root);
}

void SetDword(const std::string& path, const std::string& name, DWORD value, HKEY root) {
  SetRaw(path, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), 4), root);
}

void CreateKey(const std::string& path, HKEY root, bool isVolatile) {
  RegCloseKey(CreateOrFail(root, path, isVolatile));
}

void DeleteTree(const std::string& path, HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[512];
  for (;;) {
    DWORD size = sizeof name;
    if (RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    DeleteTree(path + "\\" + name, root);
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

void DeleteValue(const std::string& path, const std::string& name, HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

bool KeyExists(const std::string& path, HKEY root) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

Value Get(const std::string& path, const std::string& name, HKEY root) {
  Value v;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return v;
  DWORD size = 0, type = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string bytes(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(bytes.empty() ? nullptr : &bytes[0]),
                         &size) == ERROR_SUCCESS) {
      v.exists = true;
      v.type = type;
      bytes.resize(size);
      v.bytes = bytes;
    }
  }
  RegCloseKey(key);
  return v;
}

std::string GetSz(const std::string& path, const std::string& name, HKEY root) {
  Value v = Get(path, name, root);
  if (!v.exists) return "<absent>";
  if (v.type != REG_SZ) return "<type " + std::to_string(v.type) + ">";
  std::string s = v.bytes;
  if (!s.empty() && s.back() == '\0') s.pop_back();
  return s;
}

long long GetDword(const std::string& path, const std::string& name, HKEY root) {
  Value v = Get(path, name, root);
  if (!v.exists || v.type != REG_DWORD || v.bytes.size() != 4) return -1;
  DWORD d;
  memcpy(&d, v.bytes.data(), 4);
  return d;
}

void SeedInstallFolder(const std::string& folder) {
  SetSz(std::string(kBaseKey) + "\\Install", "Folder", folder);
}

void RemoveInstallFolder() { DeleteValue(std::string(kBaseKey) + "\\Install", "Folder"); }

static const char kWinCv[] = "Software\\Microsoft\\Windows\\CurrentVersion";
static const char kNetCards[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";

void ClearMachine() {
  DeleteValue(kWinCv, "ProductName");
  DeleteTree("Enum\\Root\\Net");
  DeleteTree("Enum\\Network\\MSTCP");
  DeleteTree("System\\CurrentControlSet\\Services\\Class\\NetTrans");
  DeleteTree("System\\CurrentControlSet\\Services\\VxD");
  for (int i = 0; i < 10; ++i) DeleteTree(std::string(kNetCards) + "\\" + std::to_string(i));
  DeleteTree("SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip");
  DeleteTree("SYSTEM\\CurrentControlSet\\Services\\VlWan\\Parameters\\Tcpip");
  DeleteTree("SYSTEM\\CurrentControlSet\\Services\\VlLan");
  DeleteTree("SYSTEM\\CurrentControlSet\\Services\\VlWan");
  const char* tcpip = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
  for (const char* v : {"TcpWindowSize", "DefaultTTL", "EnablePMTUDiscovery", "EnablePMTUBHDetect"})
    DeleteValue(tcpip, v);
}

void SeedWin98Machine() {
  ClearMachine();
  SetSz(kWinCv, "ProductName", "Microsoft Windows 98");
  SetSz("Enum\\Root\\Net\\0000", "DeviceDesc", "Dial-Up Adapter");
  SetSz("Enum\\Root\\Net\\0000\\Bindings", "MSTCP\\0000", "");
  SetSz("Enum\\Network\\MSTCP\\0000", "Driver", "NetTrans\\0000");
  SetSz("System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000", "DriverDesc", "TCP/IP");
  SetSz("Enum\\Root\\Net\\0001", "DeviceDesc", "Velora Test Ethernet Adapter");
  SetSz("Enum\\Root\\Net\\0001\\Bindings", "MSTCP\\0001", "");
  SetSz("Enum\\Network\\MSTCP\\0001", "Driver", "NetTrans\\0001");
  SetSz("System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001", "DriverDesc", "TCP/IP");
  CreateKey("System\\CurrentControlSet\\Services\\VxD\\MSTCP");
  SetSz("System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize", "", "0");
}

void SeedNtMachine() {
  ClearMachine();
  // Wine keeps NetworkCards for volatile subkeys only.
  CreateKey(std::string(kNetCards) + "\\1", HKEY_LOCAL_MACHINE, true);
  SetSz(std::string(kNetCards) + "\\1", "Title", "[1] Velora Test Ethernet Adapter");
  SetSz(std::string(kNetCards) + "\\1", "ServiceName", "VlLan");
  CreateKey(std::string(kNetCards) + "\\2", HKEY_LOCAL_MACHINE, true);
  SetSz(std::string(kNetCards) + "\\2", "Title", "[2] Remote Access WAN Wrapper");
  SetSz(std::string(kNetCards) + "\\2", "ServiceName", "VlWan");
  CreateKey("SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip");
  CreateKey("SYSTEM\\CurrentControlSet\\Services\\VlWan\\Parameters\\Tcpip");
}

// ---- Processes ----

Proc::Proc(Proc&& other) noexcept : pi_(other.pi_) { other.pi_ = {}; }

Proc& Proc::operator=(Proc&& other) noexcept {
  if (this != &other) {
    Kill();
    pi_ = other.pi_;
    other.pi_ = {};
  }
  return *this;
}

Proc::~Proc() { Kill(); }

bool Proc::Running() const {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Proc::WaitExit(int timeoutMs, DWORD* code) {
  if (!pi_.hProcess) return true;
  if (WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  if (code) GetExitCodeProcess(pi_.hProcess, code);
  return true;
}

void Proc::Kill() {
  if (!pi_.hProcess) return;
  if (Running()) {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
  }
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
  pi_ = {};
}

Proc Start(const std::string& args, const std::string& exe) {
  std::string program = exe.empty() ? InstallDir() + "velora.exe" : exe;
  std::string cmd = "\"" + program + "\"" + (args.empty() ? "" : " " + args);
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  Proc p;
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      InstallDir().c_str(), &si, &p.pi_))
    Fail("cannot start " + cmd);
  WaitForInputIdle(p.pi_.hProcess, 5000);
  return p;
}

// ---- Windows ----

namespace {
struct EnumArgs {
  DWORD pid;
  const char* cls;
  const char* title;
  bool visibleOnly;
  std::vector<HWND> found;
};
BOOL CALLBACK EnumTop(HWND hwnd, LPARAM lp) {
  auto* a = reinterpret_cast<EnumArgs*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != a->pid) return TRUE;
  if (a->visibleOnly && !IsWindowVisible(hwnd)) return TRUE;
  char buffer[512];
  if (a->cls) {
    GetClassNameA(hwnd, buffer, sizeof buffer);
    if (strcmp(buffer, a->cls) != 0) return TRUE;
  }
  if (a->title) {
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    if (strcmp(buffer, a->title) != 0) return TRUE;
  }
  a->found.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopWindows(DWORD pid, const char* cls, const char* title, bool visibleOnly) {
  EnumArgs a{pid, cls, title, visibleOnly, {}};
  EnumWindows(&EnumTop, reinterpret_cast<LPARAM>(&a));
  return a.found;
}

HWND WaitForWindow(DWORD pid, const char* cls, const char* title, int timeoutMs,
                   bool visibleOnly) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        auto w = TopWindows(pid, cls, title, visibleOnly);
        if (!w.empty()) found = w.front();
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

static bool IsMessageBox(HWND hwnd) {
  char cls[64];
  GetClassNameA(hwnd, cls, sizeof cls);
  return strcmp(cls, "#32770") == 0 && GetDlgItem(hwnd, 0xFFFF) != nullptr &&
         GetDlgItem(hwnd, 1088) != nullptr;
}

HWND WaitForMessageBox(DWORD pid, const std::string& caption, int timeoutMs) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND w : TopWindows(pid, "#32770", caption.c_str(), true))
          if (IsMessageBox(w)) {
            found = w;
            return true;
          }
        return false;
      },
      timeoutMs);
  return found;
}

HWND FindAnyMessageBox(DWORD pid) {
  for (HWND w : TopWindows(pid, "#32770", nullptr, true))
    if (IsMessageBox(w)) return w;
  return nullptr;
}

std::string Text(HWND hwnd) {
  char buffer[4096] = {};
  SendMessageA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

std::string MessageBoxText(HWND box) { return Text(GetDlgItem(box, 0xFFFF)); }

bool HasButton(HWND box, int id) { return GetDlgItem(box, id) != nullptr; }

bool WaitGone(HWND hwnd, int timeoutMs) {
  return WaitUntil([&] { return !IsWindow(hwnd); }, timeoutMs);
}

bool Answer(HWND box, int buttonId, int timeoutMs) {
  HWND button = GetDlgItem(box, buttonId);
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  return WaitGone(box, timeoutMs);
}

std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

bool IsChecked(HWND dialog, int id) {
  return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool IsVisible(HWND dialog, int id) {
  return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  LRESULT n = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    wchar_t buffer[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer));
    char narrow[512] = {};
    WideCharToMultiByte(1252, 0, buffer, -1, narrow, sizeof narrow, nullptr, nullptr);
    items.push_back(narrow);
  }
  return items;
}

int ComboSelection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

void PostCommand(HWND wnd, int id) { PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Click(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void Settle(HWND hwnd, int ms) {
  // A message sent to the window returns once its thread has handled
  // everything before it; then give the idle pass a moment.
  DWORD_PTR result;
  SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
  Sleep(ms);
  SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

// ---- Files ----

void WriteFileText(const std::string& path, const std::string& content) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) Fail("cannot write " + path);
  fwrite(content.data(), 1, content.size(), f);
  fclose(f);
}

std::string ReadFileText(const std::string& path) {
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return "<absent>";
  std::string s;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) s.append(buffer, n);
  fclose(f);
  return s;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

void RemoveFile(const std::string& path) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path.c_str());
}

}  // namespace e2e
