// Placeholder until the tray icon lands.
#include "app/win/tray_icon.h"

void CTrayIcon::OnTimer(HWND, UINT_PTR) {}
void CTrayIcon::OnDestroy() {}
