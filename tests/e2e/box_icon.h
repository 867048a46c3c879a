// Which standard icon a message box of another process shows, told by its
// pixels on the screen: icon handles are not shared between processes under
// Wine, so the box's handle cannot be compared with one loaded here.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <vector>

namespace e2e {

namespace box_icon_detail {
inline std::vector<DWORD> Pixels(HDC dc, HBITMAP bitmap, int w, int h) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> px(static_cast<size_t>(w) * h);
  GetDIBits(dc, bitmap, 0, h, px.data(), &bi, DIB_RGB_COLORS);
  for (DWORD& p : px) p &= 0xFFFFFF;
  return px;
}

// The rectangle of the screen at `x`, `y`, or `icon` drawn over `background`.
inline std::vector<DWORD> Picture(HDC screen, int x, int y, int w, int h, HICON icon,
                                  DWORD background) {
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bitmap);
  if (icon) {
    HBRUSH brush = CreateSolidBrush(RGB((background >> 16) & 255, (background >> 8) & 255,
                                        background & 255));
    RECT all = {0, 0, w, h};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    DrawIconEx(mem, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
  } else {
    BitBlt(mem, 0, 0, w, h, screen, x, y, SRCCOPY);
  }
  SelectObject(mem, old);
  std::vector<DWORD> px = Pixels(mem, bitmap, w, h);
  DeleteObject(bitmap);
  DeleteDC(mem);
  return px;
}

inline bool Near(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)) > 8)
      return false;
  return true;
}
}  // namespace box_icon_detail

// MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK, 0 when
// the box shows no icon, 0xFFFF when it shows another picture. The box must
// have been painted.
inline UINT ShownBoxIcon(HWND box) {
  using namespace box_icon_detail;
  HWND icon = GetDlgItem(box, 1088);
  if (!icon || !IsWindowVisible(icon)) return 0;
  RECT r;
  GetClientRect(icon, &r);
  POINT at = {0, 0};
  ClientToScreen(icon, &at);
  HDC screen = GetDC(nullptr);
  std::vector<DWORD> seen = Picture(screen, at.x, at.y, r.right, r.bottom, nullptr, 0);
  struct {
    LPCSTR id;
    UINT style;
  } const table[] = {{IDI_HAND, MB_ICONHAND},
                     {IDI_QUESTION, MB_ICONQUESTION},
                     {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                     {IDI_ASTERISK, MB_ICONASTERISK}};
  UINT found = 0xFFFF;
  for (auto& t : table) {
    // The standard icons leave their corners clear, so a corner shows the
    // box's background.
    std::vector<DWORD> drawn = Picture(screen, 0, 0, r.right, r.bottom,
                                       LoadIconA(nullptr, t.id), seen.at(0));
    size_t same = 0;
    for (size_t i = 0; i < seen.size(); ++i) same += Near(seen[i], drawn[i]) ? 1 : 0;
    if (same * 100 >= seen.size() * 98) {
      found = t.style;
      break;
    }
  }
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace e2e
