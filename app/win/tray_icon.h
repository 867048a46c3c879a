// The form view's notification-area icon record and its animation.
#pragma once
#include <windows.h>

class CTrayIcon {
 public:
  // The view's WM_TIMER and WM_DESTROY (after the view's own destruction).
  void OnTimer(HWND view, UINT_PTR timerId);
  void OnDestroy();
};
