// The Wine test bench: starts the real velora.exe from a test install folder,
// seeds the registry and files, finds and drives windows, answers message
// boxes. Every wait has a timeout.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr int kWait = 10000;  // default timeout of a wait, in milliseconds

// ---- The program under test ----
// The build folder of the program under test (i686 or x86-64, the one this
// driver was built with), with a trailing backslash.
std::string BuildDir();
// Whether this prefix is a 64-bit Windows.
bool Is64BitWindows();
// Whether 32-bit programs can start here: always in a 32-bit prefix; in a
// 64-bit one only where the host runs 32-bit code.
bool CanRun32BitPrograms();
// The i686 build folder, for the 32-bit program on 64-bit Windows.
std::string Win32BuildDir();
// The setup the suites install with: the shipped 32-bit setup, or where
// 32-bit programs cannot start, the same script built as a 64-bit program.
std::string SetupProgram();
bool SetupIsShipped();

// ---- Paths ----
std::string InstallDir();  // C:\VeloraTest\ (with the trailing backslash)
// Copies velora.exe and the stand-in vldetect.exe into the install folder.
void PrepareInstallDir();

// ---- Registry (HKEY_LOCAL_MACHINE unless a root is given) ----
extern const char kBaseKey[];  // SOFTWARE\Norwick Ltd\Velora 2001
void SetSz(const std::string& path, const std::string& name, const std::string& text,
           HKEY root = HKEY_LOCAL_MACHINE);
void SetDword(const std::string& path, const std::string& name, DWORD value,
              HKEY root = HKEY_LOCAL_MACHINE);
void SetRaw(const std::string& path, const std::string& name, DWORD type, const std::string& bytes,
            HKEY root = HKEY_LOCAL_MACHINE);
void CreateKey(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE, bool isVolatile = false);
void DeleteTree(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);
void DeleteValue(const std::string& path, const std::string& name, HKEY root = HKEY_LOCAL_MACHINE);
bool KeyExists(const std::string& path, HKEY root = HKEY_LOCAL_MACHINE);
struct Value {
  bool exists = false;
  DWORD type = 0;
  std::string bytes;
};
Value Get(const std::string& path, const std::string& name, HKEY root = HKEY_LOCAL_MACHINE);
// A REG_SZ text without its NUL, "<absent>", or "<type N>".
std::string GetSz(const std::string& path, const std::string& name, HKEY root = HKEY_LOCAL_MACHINE);
// A REG_DWORD, or -1 when absent or of another type.
long long GetDword(const std::string& path, const std::string& name,
                   HKEY root = HKEY_LOCAL_MACHINE);

// The install-folder value an installer writes.
void SeedInstallFolder(const std::string& folder);
void RemoveInstallFolder();

// Machines. Each Seed* first removes what any machine seeded.
// Windows 98: ProductName "Microsoft Windows 98", a "Dial-Up Adapter" at
// Enum\Root\Net\0000 and an Ethernet card at 0001, with bindings, drivers and
// class keys, the MSTCP and NWLink NDI keys.
void SeedWin98Machine();
// Windows NT: no ProductName under Windows\CurrentVersion is not possible on
// Wine (the key exists), so NT is what Wine already is; this adds a LAN card
// (index 1) and a "Remote Access WAN Wrapper" (index 2) under NetworkCards
// with their Tcpip parameter keys.
void SeedNtMachine();
void ClearMachine();

// ---- Processes ----
class Proc {
 public:
  Proc() = default;
  Proc(Proc&& other) noexcept;
  Proc& operator=(Proc&& other) noexcept;
  ~Proc();  // kills the process if it still runs
  bool Running() const;
  // Waits for the end; false on timeout. `code` receives the exit code.
  bool WaitExit(int timeoutMs = kWait, DWORD* code = nullptr);
  void Kill();
  DWORD pid() const { return pi_.dwProcessId; }
  HANDLE handle() const { return pi_.hProcess; }

 private:
  friend Proc Start(const std::string&, const std::string&);
  PROCESS_INFORMATION pi_ = {};
};
// Starts `exe` (default: velora.exe of the install folder) with `args` after
// the quoted program path, in the install folder.
Proc Start(const std::string& args, const std::string& exe = "");

// ---- Windows ----
// Top-level windows of a process; class and title may be null (any).
std::vector<HWND> TopWindows(DWORD pid, const char* cls, const char* title, bool visibleOnly);
HWND WaitForWindow(DWORD pid, const char* cls, const char* title, int timeoutMs = kWait,
                   bool visibleOnly = true);
// A message box of the process with that caption (a #32770 with a static 65535).
HWND WaitForMessageBox(DWORD pid, const std::string& caption, int timeoutMs = kWait);
// Any message box of the process, whatever its caption.
HWND FindAnyMessageBox(DWORD pid);
std::string MessageBoxText(HWND box);
// A box's icon: see ShownBoxIcon in box_icon.h (icon handles are not shared
// between processes under Wine, so it compares the pixels shown).
bool HasButton(HWND box, int id);
// Presses a button of a dialog or box (posted) and waits until it is gone.
bool Answer(HWND box, int buttonId, int timeoutMs = kWait);
bool WaitGone(HWND hwnd, int timeoutMs = kWait);
std::string Text(HWND hwnd);
std::string ItemText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
// The items of a combo box of another process (read with the W messages).
std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);
void PostCommand(HWND wnd, int id);
void Click(HWND dialog, int id);  // WM_COMMAND BN_CLICKED, posted
// Waits until `predicate` holds, polling; false on timeout.
template <typename F>
bool WaitUntil(F predicate, int timeoutMs = kWait) {
  DWORD start = GetTickCount();
  for (;;) {
    if (predicate()) return true;
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Sleep(20);
  }
}
// Lets the program's queue run dry (its idle-time update then runs).
void Settle(HWND anyWindowOfProcess, int ms = 150);

// ---- Files ----
void WriteFileText(const std::string& path, const std::string& content);
std::string ReadFileText(const std::string& path);  // "<absent>" when missing
DWORD Attributes(const std::string& path);
void RemoveFile(const std::string& path);  // clears attributes first; no error when missing

}  // namespace e2e
