#include "tests/e2e/harness.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "res/resource.h"
#include "tests/e2e/texts.h"

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

bool CopyProgram(const std::string& from, const std::string& to, int timeoutMs) {
  SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);
  return WaitUntil([&] { return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE; },
                   timeoutMs);
}

static void CopyOrFail(const std::string& from, const std::string& to) {
  if (!CopyProgram(from, to))
    Fail("cannot copy " + from + " to " + to + ": error " + std::to_string(GetLastError()));
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
static const char kWinNtCv[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
static const char kNetCards[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards";
static const char kNtLanService[] = "SYSTEM\\CurrentControlSet\\Services\\VlLan";
static const char kNtWanService[] = "SYSTEM\\CurrentControlSet\\Services\\VlWan";
static const char kCardService[] =
    "SYSTEM\\CurrentControlSet\\Services\\{4C7FB48D-33EB-4277-A3FB-37D5EF39C990}";
static const char kNdisWan[] = "SYSTEM\\CurrentControlSet\\Services\\NdisWan";
const char kNtTcpipParameters[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const char kNtLanTcpip[] = "SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip";
const char kNtWanTcpip[] = "SYSTEM\\CurrentControlSet\\Services\\VlWan\\Parameters\\Tcpip";
const char kCardGuid[] = "{4C7FB48D-33EB-4277-A3FB-37D5EF39C990}";
const char kCardName[] = "Intel(R) PRO/1000 MT Network Connection";
const char kCardInterface[] =
    "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\"
    "{4C7FB48D-33EB-4277-A3FB-37D5EF39C990}";
const char kCardOldStyleTcpip[] =
    "SYSTEM\\CurrentControlSet\\Services\\{4C7FB48D-33EB-4277-A3FB-37D5EF39C990}\\Parameters\\Tcpip";
const char kNdisWanParameters[] = "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters";
const char kNdisWanIp[] = "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\0";
const char kDialUpBinding[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
const char kLanBinding[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001";
const char kMstcp[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kNdiCache[] = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";

// ---- Wine's own machine ----
// The values by which Wine tells programs its version, and its cards: the
// machines change them, and each test puts Wine's own back. They are kept in
// the test bench's own key the first time, so that a suite that stopped half
// way leaves the next one Wine's own and not a machine's.
static const char kWineMachine[] = "Software\\Velora Test\\Wine machine";
static const char* const kVersionValues[] = {"CurrentVersion", "CurrentBuildNumber",
                                             "CurrentBuild", "CurrentMajorVersionNumber",
                                             "CurrentMinorVersionNumber", "ProductName"};

static void KeepWineMachine() {
  const std::string kept = kWineMachine;
  if (KeyExists(kept, HKEY_CURRENT_USER)) return;
  for (const char* name : kVersionValues) {
    const Value v = Get(kWinNtCv, name);
    if (v.exists) SetRaw(kept + "\\Version", name, v.type, v.bytes, HKEY_CURRENT_USER);
  }
  CreateKey(kept + "\\Version", HKEY_CURRENT_USER);
  for (int i = 0; i < 100; ++i) {
    const std::string card = std::string(kNetCards) + "\\" + std::to_string(i);
    if (!KeyExists(card)) continue;
    for (const char* name : {"Description", "ServiceName", "Title"}) {
      const Value v = Get(card, name);
      if (v.exists)
        SetRaw(kept + "\\Cards\\" + std::to_string(i), name, v.type, v.bytes, HKEY_CURRENT_USER);
    }
  }
  CreateKey(kept + "\\Cards", HKEY_CURRENT_USER);
}

// Removes every card, Wine's own too.
static void RemoveCards() {
  for (int i = 0; i < 100; ++i) DeleteTree(std::string(kNetCards) + "\\" + std::to_string(i));
}

void PutBackWineMachine() {
  KeepWineMachine();
  const std::string kept = kWineMachine;
  for (const char* name : kVersionValues) {
    const Value v = Get(kept + "\\Version", name, HKEY_CURRENT_USER);
    if (v.exists)
      SetRaw(kWinNtCv, name, v.type, v.bytes);
    else
      DeleteValue(kWinNtCv, name);
  }
  RemoveCards();
  for (int i = 0; i < 100; ++i) {
    const std::string from = kept + "\\Cards\\" + std::to_string(i);
    if (!KeyExists(from, HKEY_CURRENT_USER)) continue;
    const std::string card = std::string(kNetCards) + "\\" + std::to_string(i);
    // Wine keeps NetworkCards for volatile subkeys only.
    CreateKey(card, HKEY_LOCAL_MACHINE, true);
    for (const char* name : {"Description", "ServiceName", "Title"}) {
      const Value v = Get(from, name, HKEY_CURRENT_USER);
      if (v.exists) SetRaw(card, name, v.type, v.bytes);
    }
  }
}

std::vector<std::string> WineCardNames() {
  KeepWineMachine();
  std::vector<std::string> names;
  for (int i = 0; i < 100; ++i) {
    const std::string from = std::string(kWineMachine) + "\\Cards\\" + std::to_string(i);
    if (KeyExists(from, HKEY_CURRENT_USER)) names.push_back(GetSz(from, "Description", HKEY_CURRENT_USER));
  }
  return names;
}

void ClearMachine() {
  DeleteValue(kWinCv, "ProductName");
  DeleteTree("Enum\\Root\\Net");
  DeleteTree("Enum\\Network\\MSTCP");
  DeleteTree("System\\CurrentControlSet\\Services\\Class\\NetTrans");
  DeleteTree("System\\CurrentControlSet\\Services\\VxD");
  DeleteTree(kNtLanService);
  DeleteTree(kNtWanService);
  DeleteTree(kCardService);
  DeleteTree(kCardInterface);
  DeleteTree(kNdisWan);
  for (const char* v : {"TcpWindowSize", "DefaultTTL", "EnablePMTUDiscovery", "EnablePMTUBHDetect"})
    DeleteValue(kNtTcpipParameters, v);
  PutBackWineMachine();
}

void SeedWin98Machine() {
  ClearMachine();
  SetSz(kWinCv, "ProductName", "Microsoft Windows 98");
  SetSz("Enum\\Root\\Net\\0000", "DeviceDesc", "Dial-Up Adapter");
  SetSz("Enum\\Root\\Net\\0000\\Bindings", "MSTCP\\0000", "");
  SetSz("Enum\\Network\\MSTCP\\0000", "Driver", "NetTrans\\0000");
  SetSz(kDialUpBinding, "DriverDesc", "TCP/IP");
  SetSz("Enum\\Root\\Net\\0001", "DeviceDesc", "Velora Test Ethernet Adapter");
  SetSz("Enum\\Root\\Net\\0001\\Bindings", "MSTCP\\0001", "");
  SetSz("Enum\\Network\\MSTCP\\0001", "Driver", "NetTrans\\0001");
  SetSz(kLanBinding, "DriverDesc", "TCP/IP");
  CreateKey(kMstcp);
  SetSz(kNdiCache, "", "0");
}

const char* NtMachineName(NtMachine machine) {
  switch (machine) {
    case NtMachine::Nt4: return "NT4";
    case NtMachine::Windows2000: return "Windows2000";
    case NtMachine::WindowsXp: return "WindowsXP";
    case NtMachine::Windows10: return "Windows10";
  }
  return "";
}

void SeedNtMachine(NtMachine machine) {
  ClearMachine();
  RemoveCards();
  struct Version {
    const char* version;
    const char* build;
    const char* product;  // null: none, as on NT 4
    DWORD major;          // 0: no such value
  };
  static const Version kVersions[] = {
      {"4.0", "1381", nullptr, 0},
      {"5.0", "2195", "Microsoft Windows 2000", 0},
      {"5.1", "2600", "Microsoft Windows XP", 0},
      {"6.3", "19045", "Windows 10 Pro", 10},
  };
  const Version& v = kVersions[static_cast<int>(machine)];
  for (const char* name : kVersionValues) DeleteValue(kWinNtCv, name);
  SetSz(kWinNtCv, "CurrentVersion", v.version);
  SetSz(kWinNtCv, "CurrentBuildNumber", v.build);
  SetSz(kWinNtCv, "CurrentBuild", v.build);
  if (v.product) SetSz(kWinNtCv, "ProductName", v.product);
  if (v.major) {
    SetDword(kWinNtCv, "CurrentMajorVersionNumber", v.major);
    SetDword(kWinNtCv, "CurrentMinorVersionNumber", 0);
  }
  CreateKey(kNtTcpipParameters);

  if (machine == NtMachine::Nt4) {
    // Wine keeps NetworkCards for volatile subkeys only.
    CreateKey(std::string(kNetCards) + "\\1", HKEY_LOCAL_MACHINE, true);
    SetSz(std::string(kNetCards) + "\\1", "Title", "[1] Velora Test Ethernet Adapter");
    SetSz(std::string(kNetCards) + "\\1", "ServiceName", "VlLan");
    CreateKey(std::string(kNetCards) + "\\2", HKEY_LOCAL_MACHINE, true);
    SetSz(std::string(kNetCards) + "\\2", "Title", "[2] Remote Access WAN Wrapper");
    SetSz(std::string(kNetCards) + "\\2", "ServiceName", "VlWan");
    CreateKey(kNtLanTcpip);
    CreateKey(kNtWanTcpip);
    return;
  }
  CreateKey(std::string(kNetCards) + "\\1", HKEY_LOCAL_MACHINE, true);
  SetSz(std::string(kNetCards) + "\\1", "Description", kCardName);
  SetSz(std::string(kNetCards) + "\\1", "ServiceName", kCardGuid);
  CreateKey(kCardInterface);
  // Windows 2000 and XP keep the NT 4-style key for old programs.
  if (machine != NtMachine::Windows10) CreateKey(kCardOldStyleTcpip);
  CreateKey(kNdisWanParameters);
}

// ---- Waits that timed out ----

static std::string g_unmetWait;

const std::string& UnmetWait() { return g_unmetWait; }
void ClearUnmetWait() { g_unmetWait.clear(); }

static std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '"') out += "\\\"";
    else out += c;
  }
  return out + "\"";
}

// A wait's outcome: cleared when it succeeded, noted with what the process
// showed when it timed out.
static bool NoteWait(bool met, DWORD pid, const std::string& waitedFor, int timeoutMs) {
  if (met)
    g_unmetWait.clear();
  else
    g_unmetWait = "  Waited " + std::to_string(timeoutMs) + " ms for " + waitedFor +
                  " in vain; " + DescribeWindows(pid);
  return met;
}

static std::string WindowWanted(const char* cls, const char* title) {
  std::string what = "a window";
  if (title) what += " titled " + Quoted(title);
  if (cls) what += std::string(" of class ") + cls;
  return what;
}

// ---- Processes ----

Proc::Proc(Proc&& other) noexcept
    : process_(std::move(other.process_)),
      thread_(std::move(other.thread_)),
      pid_(std::exchange(other.pid_, 0)) {}

Proc& Proc::operator=(Proc&& other) noexcept {
  if (this != &other) {
    Kill();
    process_ = std::move(other.process_);
    thread_ = std::move(other.thread_);
    pid_ = std::exchange(other.pid_, 0);
  }
  return *this;
}

Proc::~Proc() { Kill(); }

bool Proc::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool Proc::WaitExit(int timeoutMs, DWORD* code) {
  if (!process_) return true;
  bool ended = WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
  if (!NoteWait(ended, pid_, "the end of the process", timeoutMs)) return false;
  if (code) GetExitCodeProcess(process_.get(), code);
  return true;
}

void Proc::Kill() {
  if (!process_) return;
  if (Running()) {
    TerminateProcess(process_.get(), 99);
    WaitForSingleObject(process_.get(), 5000);
  }
  process_.reset();
  thread_.reset();
  pid_ = 0;
}

Proc Start(const std::string& args, const std::string& exe) {
  std::string program = exe.empty() ? InstallDir() + "velora.exe" : exe;
  std::string cmd = "\"" + program + "\"" + (args.empty() ? "" : " " + args);
  std::vector<char> line(cmd.begin(), cmd.end());
  line.push_back('\0');
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      InstallDir().c_str(), &si, &pi))
    Fail("cannot start " + cmd + ": error " + std::to_string(GetLastError()));
  Proc p;
  p.process_.reset(pi.hProcess);
  p.thread_.reset(pi.hThread);
  p.pid_ = pi.dwProcessId;
  WaitForInputIdle(p.process_.get(), 5000);
  return p;
}

// ---- Windows ----

static std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

// A window's text without a message to its thread, which may be busy or hung.
static std::string StoredText(HWND hwnd) {
  char text[1024] = {};
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

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
  if (a->cls && ClassOf(hwnd) != a->cls) return TRUE;
  if (a->title && StoredText(hwnd) != a->title) return TRUE;
  a->found.push_back(hwnd);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopWindows(DWORD pid, const char* cls, const char* title, bool visibleOnly) {
  EnumArgs a{pid, cls, title, visibleOnly, {}};
  EnumWindows(&EnumTop, reinterpret_cast<LPARAM>(&a));
  return a.found;
}

static bool IsMessageBox(HWND hwnd) {
  return ClassOf(hwnd) == "#32770" && GetDlgItem(hwnd, kBoxTextId) != nullptr &&
         GetDlgItem(hwnd, kBoxIconId) != nullptr;
}

std::string DescribeWindows(DWORD pid) {
  std::string said = "process " + std::to_string(pid);
  if (vl::ScopedHandle process{OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)}) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process.get(), &code);
    if (code != STILL_ACTIVE) return said + " has ended with exit code " + std::to_string(code);
  }
  std::vector<HWND> shown = TopWindows(pid, nullptr, nullptr, true);
  if (shown.empty()) return said + " shows no window";
  said += " shows:";
  for (HWND w : shown) {
    said += "\n    ";
    if (IsMessageBox(w))
      said += "message box " + Quoted(StoredText(w)) + ": " +
              Quoted(StoredText(GetDlgItem(w, kBoxTextId)));
    else
      said += ClassOf(w) + " " + Quoted(StoredText(w));
    if (!IsWindowEnabled(w)) said += " (disabled)";
  }
  return said;
}

HWND WaitForWindow(DWORD pid, const char* cls, const char* title, int timeoutMs,
                   bool visibleOnly) {
  HWND found = nullptr;
  bool met = WaitUntil(
      [&] {
        auto w = TopWindows(pid, cls, title, visibleOnly);
        if (!w.empty()) found = w.front();
        return found != nullptr;
      },
      timeoutMs);
  NoteWait(met, pid, WindowWanted(cls, title), timeoutMs);
  return found;
}

HWND WaitForMessageBox(DWORD pid, const std::string& caption, int timeoutMs) {
  HWND found = nullptr;
  bool met = WaitUntil(
      [&] {
        for (HWND w : TopWindows(pid, "#32770", caption.c_str(), true))
          if (IsMessageBox(w)) {
            found = w;
            return true;
          }
        return false;
      },
      timeoutMs);
  NoteWait(met, pid, "a message box titled " + Quoted(caption), timeoutMs);
  return found;
}

HWND FindAnyMessageBox(DWORD pid) {
  for (HWND w : TopWindows(pid, "#32770", nullptr, true))
    if (IsMessageBox(w)) return w;
  return nullptr;
}

std::string Text(HWND hwnd) {
  char buffer[4096] = {};
  DWORD_PTR length = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                      SMTO_NORMAL, kWait, &length);
  return buffer;
}

static GUITHREADINFO GuiOf(HWND hwnd) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info);
  return info;
}

HWND FocusOf(HWND anyWindowOfThread) { return GuiOf(anyWindowOfThread).hwndFocus; }

HWND ActiveOf(HWND anyWindowOfThread) { return GuiOf(anyWindowOfThread).hwndActive; }

std::string MessageBoxText(HWND box) { return Text(GetDlgItem(box, kBoxTextId)); }

bool HasButton(HWND box, int id) { return GetDlgItem(box, id) != nullptr; }

bool WaitGone(HWND hwnd, int timeoutMs) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  const std::string what = "the end of " + ClassOf(hwnd) + " " + Quoted(StoredText(hwnd));
  return NoteWait(WaitUntil([&] { return !IsWindow(hwnd); }, timeoutMs), pid, what, timeoutMs);
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

static LPARAM ButtonOf(HWND dialog, int id) {
  return reinterpret_cast<LPARAM>(GetDlgItem(dialog, id));
}

void PostCommand(HWND wnd, int id) { PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void Click(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), ButtonOf(dialog, id));
}

static bool SendAndWait(HWND wnd, WPARAM wp, LPARAM lp, int timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(wnd, WM_COMMAND, wp, lp, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool SendCommand(HWND wnd, int id, int timeoutMs) {
  return SendAndWait(wnd, MAKEWPARAM(id, 0), 0, timeoutMs);
}

bool SendClick(HWND dialog, int id, int timeoutMs) {
  return SendAndWait(dialog, MAKEWPARAM(id, BN_CLICKED), ButtonOf(dialog, id), timeoutMs);
}

// ---- The main window's message loop ----

namespace {
constexpr int kOsPane = 2;  // rewritten by every idle-time update

// The first spacer's state, read through the program's toolbar; -1 when the
// toolbar does not answer.
int SpacerState(HWND toolbar) {
  DWORD_PTR state = 0;
  if (!SendMessageTimeoutA(toolbar, TB_GETSTATE, ID_TOOLBAR_SPACER, 0, SMTO_NORMAL, kWait, &state))
    return -1;
  return static_cast<int>(state);
}
}  // namespace

void ParkPointer() {
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

bool IdlePass(HWND frame, int timeoutMs) {
  if (!IsWindowVisible(frame)) return false;
  HWND statusBar = GetDlgItem(frame, AFX_IDW_STATUS_BAR);
  HWND toolbar = GetDlgItem(frame, AFX_IDW_TOOLBAR);
  const bool paneSign = IsWindowVisible(statusBar);
  const bool spacerSign = IsWindowVisible(toolbar);
  if (!paneSign && !spacerSign) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(frame, &pid);
  // The update never leaves the pane blank, and a blank pane shows no
  // strange text should a picture be taken meanwhile.
  if (paneSign && !SetPaneTextRemote(statusBar, kOsPane, "")) return false;
  DWORD_PTR done = 0;
  if (spacerSign && !SendMessageTimeoutA(toolbar, TB_SETSTATE, ID_TOOLBAR_SPACER,
                                         MAKELONG(TBSTATE_ENABLED, 0), SMTO_NORMAL, kWait, &done))
    return false;
  PostMessageA(frame, WM_NULL, 0, 0);
  bool ran = false;
  WaitUntil(
      [&] {
        if (!IsWindow(frame) || !IsWindowEnabled(frame) || FindAnyMessageBox(pid)) return true;
        const int spacer = spacerSign ? SpacerState(toolbar) : 0;
        ran = (!paneSign || !PaneText(statusBar, kOsPane).empty()) &&
              (!spacerSign || (spacer >= 0 && !(spacer & TBSTATE_ENABLED)));
        return ran;
      },
      timeoutMs);
  return ran;
}

std::string PaneText(HWND statusBar, int part) {
  RemoteBuffer buffer(statusBar, 512);
  std::string zeros(512, '\0');
  buffer.Write(zeros.data(), zeros.size());
  DWORD_PTR result = 0;
  SendMessageTimeoutA(statusBar, SB_GETTEXTA, part, buffer.address(), SMTO_NORMAL, kWait, &result);
  std::string text = buffer.Read();
  return text.substr(0, text.find('\0'));
}

bool SetPaneTextRemote(HWND statusBar, int part, const std::string& text) {
  RemoteBuffer buffer(statusBar, text.size() + 1);
  if (!buffer.Write(text.c_str(), text.size() + 1)) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(statusBar, SB_SETTEXTA, part, buffer.address(), SMTO_NORMAL, kWait,
                             &result) != 0;
}

void Settle(HWND hwnd, int ms) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  for (HWND frame : TopWindows(pid, kFrameClass, nullptr, true)) {
    if (IsWindowVisible(GetDlgItem(frame, AFX_IDW_STATUS_BAR))) {
      IdlePass(frame);
      return;
    }
  }
  // No idle-time update to watch: a round trip, then time for what was
  // posted before it.
  DWORD_PTR result;
  SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
  Sleep(ms);
  SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

// ---- Another process's memory ----

RemoteBuffer::RemoteBuffer(HWND hwnd, size_t size) : size_(size) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  process_.reset(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  if (process_)
    address_ =
        VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t size) {
  SIZE_T done = 0;
  return address_ && WriteProcessMemory(process_.get(), address_, data, size, &done);
}

std::string RemoteBuffer::Read() const {
  std::string bytes(size_, '\0');
  SIZE_T done = 0;
  if (!address_ || !ReadProcessMemory(process_.get(), address_, &bytes[0], size_, &done)) return "";
  return bytes;
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
