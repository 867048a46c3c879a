#include "tray/tray.h"

#include <cstring>

#include "res/resource.h"

namespace vl {

const int kTrayFrames[kTrayFrameCount] = {IDI_TRAY_FRAME0, IDI_TRAY_FRAME1, IDI_TRAY_FRAME2,
                                          IDI_TRAY_FRAME3};
const char* const TrayTips[kTrayFrameCount] = {
    "Velora 2001 - Working", "Velora 2001 - Working", "Velora 2001 - Working",
    "Velora 2001 - Working"};

int& TrayFrameIndex() {
  static int index = 0;
  return index;
}

void TrayIcon::SetTrayIcon(WindowHandle view, unsigned operation, int frame,
                           const std::string& tip) {
  IconHandle icon = shell_.LoadFrameIcon(kTrayFrames[frame]);
  m_nid.cbSize = recordSize_;
  m_nid.hWnd = view;
  m_nid.uID = kTrayIconId;
  m_nid.uFlags = kNifMessage | kNifIcon | kNifTip;
  m_nid.uCallbackMessage = kWmTrayNotify;
  m_nid.hIcon = icon;
  std::memset(m_nid.szTip, 0, sizeof m_nid.szTip);
  std::strncpy(m_nid.szTip, tip.c_str(), sizeof m_nid.szTip - 1);
  shell_.NotifyIcon(operation, m_nid);
  // The shell keeps its own copy of the picture.
  if (icon) shell_.DestroyIcon(icon);
}

void TrayIcon::OnTimer(WindowHandle view, unsigned timerId) {
  if (timerId == kTrayRemoveTimer) shell_.NotifyIcon(kNimDelete, m_nid);
  int& index = TrayFrameIndex();
  SetTrayIcon(view, kNimModify, index, TrayTips[index]);
  index = (index + 1) % kTrayFrameCount;
}

void TrayIcon::OnDestroy() { shell_.NotifyIcon(kNimDelete, m_nid); }

}  // namespace vl
