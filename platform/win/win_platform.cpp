#include "platform/win/win_platform.h"

#include <shellapi.h>

#include <cstdio>

#include "platform/win/scoped_com.h"

namespace vl {

// <windows.h> spells the predefined keys as pointers, sign-extended on x64,
// which no constant of ours can equal at compile time; they are handed over
// as the SDK spells them.
static HKEY ToHkey(RegKey k) {
  switch (k) {
    case kHkeyClassesRoot: return HKEY_CLASSES_ROOT;
    case kHkeyCurrentUser: return HKEY_CURRENT_USER;
    case kHkeyLocalMachine: return HKEY_LOCAL_MACHINE;
    default: return reinterpret_cast<HKEY>(k);
  }
}

// The i686 program on 64-bit Windows would see the 32-bit registry view,
// where neither the adapters under SOFTWARE nor the folder its setup wrote
// for the x86-64 program are. It asks for the native view instead. Only
// Windows XP and later know IsWow64Process and the view flag, so both are
// used only where the call exists and says so.
#ifdef _WIN64
static REGSAM NativeView() { return 0; }
#else
static REGSAM FindNativeView() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64 ? KEY_WOW64_64KEY : 0;
}
// Found before WinMain, so before any thread of the program (the companion's
// pings read the registry too) can ask for it.
static const REGSAM g_nativeView = FindNativeView();
static REGSAM NativeView() { return g_nativeView; }
#endif

long WinRegistry::OpenKey(RegKey root, const std::string& subkey, uint32_t access,
                          RegKey* result) {
  HKEY h = nullptr;
  LONG rc = RegOpenKeyExA(ToHkey(root), subkey.c_str(), 0, access | NativeView(), &h);
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(h);
  return rc;
}

long WinRegistry::CreateKey(RegKey root, const std::string& subkey, uint32_t options,
                            uint32_t access, RegKey* result) {
  HKEY h = nullptr;
  LONG rc = RegCreateKeyExA(ToHkey(root), subkey.c_str(), 0, nullptr, options,
                            access | NativeView(), nullptr, &h, nullptr);
  if (rc == ERROR_SUCCESS) *result = reinterpret_cast<RegKey>(h);
  return rc;
}

long WinRegistry::QueryValue(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                             uint32_t* size) {
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  LONG rc = RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &t, data, size ? &s : nullptr);
  if (type) *type = t;
  if (size) *size = s;
  return rc;
}

long WinRegistry::SetValue(RegKey key, const std::string& name, uint32_t type,
                           const uint8_t* data, uint32_t size) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size);
}

long WinRegistry::DeleteValue(RegKey key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long WinRegistry::DeleteKey(RegKey root, const std::string& subkey) {
  // RegDeleteKeyA works in the program's own view; the native one takes
  // RegDeleteKeyExA, which only the Windows that have a view flag know.
  if (const REGSAM view = NativeView()) {
    using RegDeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
    auto deleteKeyEx = reinterpret_cast<RegDeleteKeyExFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteKeyExA")));
    if (deleteKeyEx) return deleteKeyEx(ToHkey(root), subkey.c_str(), view, 0);
  }
  return RegDeleteKeyA(ToHkey(root), subkey.c_str());
}

long WinRegistry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }

int WinMessageBoxes::Show(WindowHandle owner, const std::string& text, const std::string& caption,
                          unsigned style) {
  return MessageBoxA(ToHwnd(owner), text.c_str(), caption.c_str(), style);
}

void WinMessageBoxes::Beep(unsigned type) { MessageBeep(type); }

FARPROC Shell32Function(const char* name) {
  HMODULE shell = GetModuleHandleA("shell32.dll");
  if (!shell) shell = LoadLibraryA("shell32.dll");
  return shell ? GetProcAddress(shell, name) : nullptr;
}

intptr_t WinShell::ShellExecuteA(WindowHandle owner, const std::string& operation,
                                const std::string& file, const std::string& parameters,
                                const std::string& directory, int showCmd) {
  using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
  auto shellExecute = reinterpret_cast<ShellExecuteFn>(
      reinterpret_cast<void*>(Shell32Function("ShellExecuteA")));
  if (!shellExecute) return 0;  // as the call tells a system out of resources
  ScopedCom com;
  HINSTANCE h = shellExecute(ToHwnd(owner), operation.empty() ? nullptr : operation.c_str(),
                             file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                             directory.empty() ? nullptr : directory.c_str(), showCmd);
  return reinterpret_cast<intptr_t>(h);
}

unsigned WinShell::WinExec(const std::string& commandLine, int showCmd) {
  return ::WinExec(commandLine.c_str(), showCmd);
}

bool WinShell::WinHelpA(WindowHandle owner, const std::string& helpFile, unsigned command,
                       const std::string& data) {
  return ::WinHelpA(ToHwnd(owner), helpFile.c_str(), command,
                  reinterpret_cast<ULONG_PTR>(data.c_str())) != FALSE;
}

uint32_t WinFiles::GetFileAttributesA(const std::string& path) {
  return ::GetFileAttributesA(path.c_str());
}

bool WinFiles::SetFileAttributesA(const std::string& path, uint32_t attributes) {
  return ::SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL) != 0;
}

bool WinFiles::SetCurrentDirectoryA(const std::string& path) {
  return ::SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string WinFiles::GetCurrentDirectoryA() {
  char buffer[MAX_PATH + 1] = {};
  DWORD n = ::GetCurrentDirectoryA(sizeof buffer, buffer);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

std::string WinFiles::GetWindowsDirectoryA() {
  char buffer[MAX_PATH] = {};
  UINT n = ::GetWindowsDirectoryA(buffer, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
}

bool WinFiles::CreateDirectoryA(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool WinFiles::CopyFileA(const std::string& from, const std::string& to, bool failIfExists) {
  return ::CopyFileA(from.c_str(), to.c_str(), failIfExists) != 0;
}

bool WinFiles::DeleteFileA(const std::string& path) { return ::DeleteFileA(path.c_str()) != 0; }

bool WinFiles::WriteTextFile(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "w+");  // text mode, create or empty
  if (!f) return false;
  bool ok = std::fseek(f, 0, SEEK_SET) == 0 &&
            std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && ok;
}

bool WinFiles::ReadFirstLine(const std::string& path, size_t maxBytes, std::string* line) {
  FILE* f = std::fopen(path.c_str(), "r");  // text mode: CR LF reads as LF
  if (!f) return false;
  std::string result;
  int c;
  while (result.size() < maxBytes && (c = std::fgetc(f)) != EOF && c != '\n')
    result.push_back(static_cast<char>(c));
  std::fclose(f);
  *line = result;
  return true;
}

void WinPacer::Wait(uint64_t counts) {
  // One million counts stand for one millisecond.
  DWORD ms = static_cast<DWORD>(counts / 1000000u);
  if (ms) Sleep(ms);
}

bool WinRestart::OpenProcessToken() {
  return ::OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                            token_.Receive()) != 0;
}

unsigned long WinRestart::EnableShutdownPrivilege() {
  TOKEN_PRIVILEGES tp = {};
  // Without the privilege's number there is nothing to enable: the restart
  // would be refused, so the caller hears why now.
  if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid)) {
    const DWORD error = GetLastError();
    return error ? error : ERROR_NO_SUCH_PRIVILEGE;
  }
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  SetLastError(0);
  if (!AdjustTokenPrivileges(token_.get(), FALSE, &tp, 0, nullptr, nullptr)) {
    const DWORD error = GetLastError();
    return error ? error : ERROR_ACCESS_DENIED;
  }
  // Success with ERROR_NOT_ALL_ASSIGNED: the token does not hold it at all.
  return GetLastError();
}

bool WinRestart::ExitWindowsEx(unsigned flags) { return ::ExitWindowsEx(flags, 0) != 0; }

LocalTime WinClock::Now() {
  SYSTEMTIME t = {};
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

}  // namespace vl
