// The form view's notification-area icon record and its animation.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "tray/tray.h"

class CTrayIcon : private vl::ITrayShell {
 public:
  CTrayIcon();
  // The view's WM_TIMER; the view passes the message on to its default
  // handling afterwards.
  void OnTimer(HWND view, UINT_PTR timerId);
  // The view's WM_DESTROY, after the view's own destruction.
  void OnDestroy();

  // What the shell was last given.
  const NOTIFYICONDATAA& Record() const { return m_nid; }

 private:
  vl::IconHandle LoadFrameIcon(int resourceId) override;
  void DestroyIcon(vl::IconHandle icon) override;
  bool NotifyIcon(unsigned operation, const vl::TrayRecord& record) override;

  NOTIFYICONDATAA m_nid;
  vl::TrayIcon m_tray;
};
