#include "vldetect/win/companion_window.h"

#include <memory>

#include "ping/ping_settings.h"
#include "platform/win/system_library.h"
#include "platform/win/win_platform.h"
#include "tray/tray.h"
#include "vldetect/res/vldetect_res.h"

namespace vl {

namespace {

const char kClassName[] = "VeloraNetDetect";
// A lookup that gets no answer can take longer than the echo's own timeout.
constexpr DWORD kPingFinishMs = kEchoTimeoutMs + 5000;

CCompanionWnd* g_window = nullptr;  // the process's one window

struct PingJob {
  HWND window;
  unsigned ticket;
  PingTarget target;
  INetwork* net;
};

DWORD WINAPI PingThread(LPVOID param) {
  std::unique_ptr<PingJob> job(static_cast<PingJob*>(param));
  WinRegistry registry;
  auto outcome = std::make_unique<PingOutcome>(PingOnce(job->target, *job->net, registry));
  if (PostMessageA(job->window, WM_VLDETECT_PING_DONE, job->ticket,
                   reinterpret_cast<LPARAM>(outcome.get())))
    outcome.release();  // the window owns it now
  return 0;
}

}  // namespace

CCompanionWnd::CCompanionWnd(HINSTANCE instance, SettingsStore& store, INetwork& net)
    : instance_(instance), net_(net), companion_(store, net, *this) {}

CCompanionWnd::~CCompanionWnd() {
  if (menu_) DestroyMenu(menu_);
  for (HICON icon : frames_)
    if (icon) DestroyIcon(icon);
  g_window = nullptr;
}

bool CCompanionWnd::Create() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = StaticProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_VLDETECT));
  wc.lpszClassName = kClassName;
  if (!RegisterClassA(&wc)) return false;
  // The shell broadcasts this when it makes its task bar anew (Explorer
  // restarted, or started after us at logon).
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  AllowShellMessages();
  for (int i = 0; i < kTrayFrameCount; ++i)
    frames_[i] = static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(kTrayFrames[i]),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
  menu_ = LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_VLDETECT_MENU));
  g_window = this;
  hwnd_ = CreateWindowExA(0, kClassName, kCompanionWindowName, WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                          nullptr, instance_, nullptr);
  if (!hwnd_) return false;
  status_ = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_VLDETECT_STATUS)),
                            instance_, nullptr);
  companion_.Start();
  return true;
}

void CCompanionWnd::AllowShellMessages() {
  // Started by velora.exe, which asks for administrator rights, the companion
  // has them too; Windows Vista and later then hold back the messages of the
  // user's shell, the tray icon's among them, unless it lets them through.
  using ChangeWindowMessageFilterProc = BOOL(WINAPI*)(UINT, DWORD);
  const DWORD kMsgfltAdd = 1;
  ChangeWindowMessageFilterProc allow = nullptr;
  if (!FindProc(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilter", &allow)) return;
  allow(WM_VLDETECT_TRAY, kMsgfltAdd);
  if (taskbarCreated_) allow(taskbarCreated_, kMsgfltAdd);
}

int CCompanionWnd::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

bool CCompanionWnd::FinishPing() {
  if (!pingThread_) return true;
  return WaitForSingleObject(pingThread_.get(), kPingFinishMs) == WAIT_OBJECT_0;
}

LRESULT CALLBACK CCompanionWnd::StaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (g_window) {
    if (!g_window->hwnd_) g_window->hwnd_ = hwnd;  // messages before CreateWindowEx returns
    if (g_window->hwnd_ == hwnd) return g_window->WndProc(msg, wp, lp);
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CCompanionWnd::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kWmPingSettingsChanged:
      // Answered at once: the dialog waits for the answer.
      return companion_.OnSettingsNotice(wp, lp) ? 1 : 0;
    case WM_TIMER:
      companion_.OnTimer(static_cast<unsigned>(wp));
      return 0;
    case WM_VLDETECT_PING_DONE: {
      std::unique_ptr<PingOutcome> outcome(reinterpret_cast<PingOutcome*>(lp));
      companion_.OnPingDone(static_cast<unsigned>(wp), *outcome);
      return 0;
    }
    case WM_VLDETECT_TRAY:
      OnTrayMessage(lp);
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case ID_VLDETECT_PING_NOW: companion_.PingNow(); return 0;
        case ID_VLDETECT_CONFIGURATION: StartConfiguration(); return 0;
        case ID_VLDETECT_EXIT: DestroyWindow(hwnd_); return 0;
      }
      break;
    case WM_CLOSE:  // also how the uninstaller ends us
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      companion_.Stop();
      PostQuitMessage(0);
      return 0;
    default:
      if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        iconAdded_ = false;
        companion_.OnTaskbarCreated();
        return 0;
      }
      break;
  }
  return DefWindowProcA(hwnd_, msg, wp, lp);
}

void CCompanionWnd::OnTrayMessage(LPARAM mouseMessage) {
  switch (static_cast<UINT>(mouseMessage)) {
    case WM_RBUTTONUP: ShowMenu(); break;
    case WM_LBUTTONDBLCLK: StartConfiguration(); break;
  }
}

void CCompanionWnd::ShowMenu() {
  HMENU popup = menu_ ? GetSubMenu(menu_, 0) : nullptr;
  if (!popup) return;
  EnableMenuItem(popup, ID_VLDETECT_PING_NOW,
                 MF_BYCOMMAND | (companion_.CanPingNow() ? MF_ENABLED : MF_GRAYED));
  SetMenuDefaultItem(popup, ID_VLDETECT_CONFIGURATION, FALSE);
  POINT at;
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks
  // elsewhere; the posted message lets it close on the next click too.
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void CCompanionWnd::StartConfiguration() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program = ProgramBeside(path, "velora.exe");
  const std::string folder = ProgramBeside(path, "");
  // The shell, not CreateProcess: where velora.exe asks for administrator
  // rights, only the shell can ask the user for them. Through the program's
  // shell, which enters COM for the call.
  WinShell().ShellExecuteA(FromHwnd(hwnd_), "open", program, "/ping", folder, SW_SHOWNORMAL);
}

HICON CCompanionWnd::FrameIcon(int iconId) {
  for (int i = 0; i < kTrayFrameCount; ++i)
    if (kTrayFrames[i] == iconId) return frames_[i];
  return nullptr;
}

void CCompanionWnd::SetTimer(unsigned id, unsigned ms) { ::SetTimer(hwnd_, id, ms, nullptr); }

void CCompanionWnd::KillTimer(unsigned id) { ::KillTimer(hwnd_, id); }

void CCompanionWnd::ShowTrayIcon(int iconId, const std::string& tip) {
  // The first layout, which every shell from Windows 95 on takes.
  nid_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid_.hWnd = hwnd_;
  nid_.uID = VLDETECT_TRAY_ID;
  nid_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid_.uCallbackMessage = WM_VLDETECT_TRAY;
  nid_.hIcon = FrameIcon(iconId);
  lstrcpynA(nid_.szTip, tip.c_str(), 64);
  // A shell that lost the icon, or had no task bar yet, refuses the change.
  if (!iconAdded_ || !Shell_NotifyIconA(NIM_MODIFY, &nid_))
    iconAdded_ = Shell_NotifyIconA(NIM_ADD, &nid_) != FALSE;
}

void CCompanionWnd::RemoveTrayIcon() {
  if (iconAdded_) Shell_NotifyIconA(NIM_DELETE, &nid_);
  iconAdded_ = false;
}

void CCompanionWnd::SetStatus(const std::string& text) { SetWindowTextA(status_, text.c_str()); }

// The one rule that keeps the ping threads apart: a ping starts only once the
// thread of the last one has ended. The network object they share loads
// Winsock on its first lookup and keeps no lock, and the thread's own copy
// of the target is all else it reads.
bool CCompanionWnd::StartPing(const PingTarget& target, unsigned ticket) {
  if (pingThread_) {
    // The last ping's outcome has come, so its thread is ending or ended.
    if (WaitForSingleObject(pingThread_.get(), kPingFinishMs) != WAIT_OBJECT_0) return false;
    pingThread_.reset();
  }
  auto job = std::make_unique<PingJob>(PingJob{hwnd_, ticket, target, &net_});
  DWORD id = 0;  // Windows 95 wants somewhere to put it
  pingThread_.reset(CreateThread(nullptr, 0, PingThread, job.get(), 0, &id));
  if (!pingThread_) return false;
  job.release();  // the thread owns it now
  return true;
}

void CCompanionWnd::PlayPingSound() { MessageBeep(MB_OK); }

}  // namespace vl
