#include "tray/win/tray_icon.h"

#include <cstring>

#include "platform/win/win_platform.h"

// The record's operations and flags as the shell knows them.
static_assert(vl::kNimAdd == NIM_ADD && vl::kNimModify == NIM_MODIFY &&
              vl::kNimDelete == NIM_DELETE && vl::kNifMessage == NIF_MESSAGE &&
              vl::kNifIcon == NIF_ICON && vl::kNifTip == NIF_TIP);
// The record's first layout: 88 bytes where a pointer takes 4.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAA_V1_SIZE == 88, "first NOTIFYICONDATA layout");

CTrayIcon::CTrayIcon() : m_nid(), m_tray(*this, NOTIFYICONDATAA_V1_SIZE) {}

void CTrayIcon::OnTimer(HWND view, UINT_PTR timerId) {
  m_tray.OnTimer(reinterpret_cast<vl::WindowHandle>(view), static_cast<unsigned>(timerId));
}

void CTrayIcon::OnDestroy() { m_tray.OnDestroy(); }

vl::IconHandle CTrayIcon::LoadFrameIcon(int resourceId) {
  // The frames are small icons. LoadIcon would stretch them to the large size
  // and hand out a shared handle that must not be destroyed; an icon of our
  // own at the small size is what the shell shows, and ours to destroy.
  HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_ICON,
                           GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0);
  return reinterpret_cast<vl::IconHandle>(icon);
}

void CTrayIcon::DestroyIcon(vl::IconHandle icon) { ::DestroyIcon(reinterpret_cast<HICON>(icon)); }

bool CTrayIcon::NotifyIcon(unsigned operation, const vl::TrayRecord& record) {
  m_nid.cbSize = record.cbSize;
  m_nid.hWnd = reinterpret_cast<HWND>(record.hWnd);
  m_nid.uID = record.uID;
  m_nid.uFlags = record.uFlags;
  m_nid.uCallbackMessage = record.uCallbackMessage;
  m_nid.hIcon = reinterpret_cast<HICON>(record.hIcon);
  static_assert(sizeof m_nid.szTip >= sizeof record.szTip, "tooltip field");
  std::memcpy(m_nid.szTip, record.szTip, sizeof record.szTip);
  using NotifyIconFn = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);
  auto notifyIcon = reinterpret_cast<NotifyIconFn>(
      reinterpret_cast<void*>(vl::Shell32Function("Shell_NotifyIconA")));
  return notifyIcon && notifyIcon(operation, &m_nid) != FALSE;
}
