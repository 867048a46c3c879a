// The Wine test bench: starts the real velora.exe from a test install folder,
// seeds the registry and files, finds and drives windows, answers message
// boxes. Every wait is for a condition and has a timeout; a wait that times
// out notes what the program showed instead (UnmetWait).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win/scoped_handle.h"

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
// Copies a program over another, once no process holds the file any more (a
// program just ended may for a moment); false when it could not in time.
bool CopyProgram(const std::string& from, const std::string& to, int timeoutMs = kWait);

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

// Where the seeded machines keep what the program writes.
extern const char kNtTcpipParameters[];  // NT: TCP/IP's own parameters
extern const char kNtLanTcpip[];         // NT 4: the LAN card's
extern const char kNtWanTcpip[];         // NT 4: the WAN wrapper's
extern const char kCardGuid[];           // 2000 and later: the card's GUID
extern const char kCardName[];           //   and its Description
extern const char kCardInterface[];      //   its Interfaces key
extern const char kCardOldStyleTcpip[];  //   2000 and XP: its key for old programs
extern const char kNdisWanParameters[];  // 2000 and later: NdisWan's parameters
extern const char kNdisWanIp[];          //   and the IP protocol key the Apply makes
extern const char kDialUpBinding[];      // Windows 98: the Dial-Up Adapter's TCP/IP binding
extern const char kLanBinding[];         // Windows 98: the Ethernet card's
extern const char kMstcp[];              // Windows 98: MSTCP's parameters
extern const char kNdiCache[];           // Windows 98: NWLink's NDI cache size

// The install-folder value an installer writes.
void SeedInstallFolder(const std::string& folder);
void RemoveInstallFolder();

// Machines. Each Seed* first removes what any machine seeded.
// Windows 98: ProductName "Microsoft Windows 98", a "Dial-Up Adapter" at
// Enum\Root\Net\0000 and an Ethernet card at 0001, with bindings, drivers and
// class keys, the MSTCP and NWLink NDI keys.
void SeedWin98Machine();
// The NT machines as each Windows keeps its registry: its version values
// under the NT CurrentVersion key (which Wine also reports to programs),
// none of Wine's cards, and its own:
// - NT 4: "4.0", a LAN card (index 1) and a "Remote Access WAN Wrapper"
//   (index 2), named by "Title", with their services' Tcpip keys;
// - Windows 2000 ("5.0") and XP ("5.1"): a card named by "Description" with
//   its GUID as service name, its Interfaces key and the NT 4-style key old
//   programs read; NdisWan's parameters;
// - Windows 10 ("6.3", CurrentMajorVersionNumber 10): the same without the
//   NT 4-style key.
enum class NtMachine { Nt4, Windows2000, WindowsXp, Windows10 };
void SeedNtMachine(NtMachine machine = NtMachine::Nt4);
const char* NtMachineName(NtMachine machine);
// Removes what any machine seeded and puts Wine's own machine back: its
// version values and its cards (which Wine makes from the host's network
// interfaces, named by "Description", bound to nothing).
void ClearMachine();
void PutBackWineMachine();
// The names of Wine's own cards, in index order.
std::vector<std::string> WineCardNames();

// ---- Processes ----
class Proc {
 public:
  Proc() = default;
  Proc(Proc&& other) noexcept;
  Proc& operator=(Proc&& other) noexcept;
  ~Proc();  // kills the process if it still runs
  bool Running() const;
  // Waits for the end; false on timeout (noted with what it shows). `code`
  // receives the exit code.
  bool WaitExit(int timeoutMs = kWait, DWORD* code = nullptr);
  void Kill();
  DWORD pid() const { return pid_; }
  HANDLE handle() const { return process_.get(); }

 private:
  friend Proc Start(const std::string&, const std::string&);
  vl::ScopedHandle process_;
  vl::ScopedHandle thread_;
  DWORD pid_ = 0;
};
// Starts `exe` (default: velora.exe of the install folder) with `args` after
// the quoted program path, in the install folder.
Proc Start(const std::string& args, const std::string& exe = "");

// ---- Windows ----
// Top-level windows of a process; class and title may be null (any).
std::vector<HWND> TopWindows(DWORD pid, const char* cls, const char* title, bool visibleOnly);
HWND WaitForWindow(DWORD pid, const char* cls, const char* title, int timeoutMs = kWait,
                   bool visibleOnly = true);
// The system's message box: a #32770 with its text in a static of id 65535
// and its icon in a static of id 1088.
constexpr int kBoxTextId = 0xFFFF;
constexpr int kBoxIconId = 1088;
// A message box of the process with that caption.
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
// Puts the pointer in the screen's bottom right corner, where no window of
// the program lies: a pointer left on a window would show its tooltip or
// its status-bar text to the next test.
void ParkPointer();
// The keyboard focus and the active window of the thread that owns a window.
HWND FocusOf(HWND anyWindowOfThread);
HWND ActiveOf(HWND anyWindowOfThread);
std::string ItemText(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
bool IsEnabled(HWND dialog, int id);
bool IsVisible(HWND dialog, int id);
// The items of a combo box of another process (read with the W messages).
std::vector<std::string> ComboItems(HWND combo);
int ComboSelection(HWND combo);
// Posted: the way for a command or click that opens a modal window; wait for
// that window next.
void PostCommand(HWND wnd, int id);
void Click(HWND dialog, int id);  // WM_COMMAND BN_CLICKED, posted
// Sent: each returns once the program has handled the command or click
// (false when it did not within the timeout). Only for one that opens no
// modal window, which would hold the call until the timeout.
bool SendCommand(HWND wnd, int id, int timeoutMs = kWait);
bool SendClick(HWND dialog, int id, int timeoutMs = kWait);
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

// ---- The main window's message loop ----
// The program's loop runs its idle-time update when a burst of messages is
// over. While the status bar shows, the update rewrites its OS pane; while
// the toolbar shows, it ends by showing the toolbar's spacers disabled again.
// So: blank the pane and enable the first spacer, post a message that ends a
// burst, and each sign that shows coming back tells that everything posted
// before has been handled and the update has run, to its end where the
// toolbar shows. True once it has; false at once where the update can show
// nothing (the main window hidden, or both bars), as soon as a message box or
// a modal window (the frame disabled) holds the loop instead, or on timeout.
bool IdlePass(HWND frame, int timeoutMs = kWait);
// The status bar's pane texts, read and written through the program's memory.
std::string PaneText(HWND statusBar, int part);
bool SetPaneTextRemote(HWND statusBar, int part, const std::string& text);
// The earlier bench's wait, kept for the suites and benchmarks written
// against it: an idle pass of the main window of that window's process where
// one shows (IdlePass); elsewhere nothing tells that posted messages were
// handled, so it pauses `ms` after a round trip. Prefer IdlePass or a wait
// for the condition itself.
void Settle(HWND anyWindowOfProcess, int ms = 150);

// ---- Waits that timed out ----
// What a process shows: its visible top-level windows, one a line (class,
// title, a message box's text, a disabled window marked), or that it shows
// none or has ended.
std::string DescribeWindows(DWORD pid);
// WaitForWindow, WaitForMessageBox, WaitGone and Proc::WaitExit note here,
// when they time out, what they waited for and what the program showed
// instead; a wait that succeeds clears the note. The test driver prints it
// under the next failure of the test.
const std::string& UnmetWait();
void ClearUnmetWait();

// ---- Another process's memory ----
// A buffer in the memory of the process that owns a window, for the
// messages that carry a pointer (status-bar texts, toolbar buttons).
class RemoteBuffer {
 public:
  RemoteBuffer(HWND hwnd, size_t size);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const void* data, size_t size);
  std::string Read() const;  // empty when it cannot be read

 private:
  vl::ScopedHandle process_;
  void* address_ = nullptr;
  size_t size_;
};

// ---- Files ----
void WriteFileText(const std::string& path, const std::string& content);
std::string ReadFileText(const std::string& path);  // "<absent>" when missing
DWORD Attributes(const std::string& path);
void RemoveFile(const std::string& path);  // clears attributes first; no error when missing

}  // namespace e2e
