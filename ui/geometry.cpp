#include "ui/geometry.h"

namespace ui {

namespace {

// The start of a length centred in [low, high), moved back inside
// [areaLow, areaHigh).
int CentreSpan(int low, int high, int length, int areaLow, int areaHigh) {
  int start = low + (high - low - length) / 2;
  if (start + length > areaHigh) start = areaHigh - length;
  if (start < areaLow) start = areaLow;
  return start;
}

}  // namespace

void PlaceFrame(HWND frame, const RECT& normal, HWND source, bool centredNext) {
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  // A placement that cannot be read leaves no positions to keep.
  if (!GetWindowPlacement(source ? source : frame, &wp)) wp = {};
  const UINT readFlags = wp.flags;
  wp.length = sizeof wp;
  wp.flags = 0;
  wp.showCmd = GetProfileIntA("APPNAME", "OutlineShowCmd", 0);
  wp.rcNormalPosition = normal;
  if (centredNext && wp.showCmd == SW_HIDE && readFlags == 0 && !IsWindowVisible(frame) &&
      !IsIconic(frame) && !IsZoomed(frame)) {
    RECT now;
    GetWindowRect(frame, &now);
    if (now.right - now.left == normal.right - normal.left &&
        now.bottom - now.top == normal.bottom - normal.top)
      return;
  }
  SetWindowPlacement(frame, &wp);
}

void CentreWindow(HWND window, HWND over) {
  RECT area, target, r;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  if (over && IsWindowVisible(over))
    GetWindowRect(over, &target);
  else
    target = area;
  GetWindowRect(window, &r);
  int x = CentreSpan(target.left, target.right, r.right - r.left, area.left, area.right);
  int y = CentreSpan(target.top, target.bottom, r.bottom - r.top, area.top, area.bottom);
  SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT CentredInWorkArea(int width, int height) {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return {CentreSpan(area.left, area.right, width, area.left, area.right),
          CentreSpan(area.top, area.bottom, height, area.top, area.bottom)};
}

void MoveItem(HWND dialog, int id, int x, int y) {
  HWND item = GetDlgItem(dialog, id);
  RECT r;
  GetWindowRect(item, &r);
  MoveWindow(item, x, y, r.right - r.left, r.bottom - r.top, TRUE);
}

}  // namespace ui
