// Which standard icon a message box of another process shows. Under Wine an
// icon handle belongs to the process that loaded it, so handles cannot be
// compared across processes: the icon is recognised by its pixels on screen
// instead.
#pragma once
#include <windows.h>

#include <vector>

namespace e2e {

namespace box_icon_detail {

// The pixels of a DC area as 32-bit values.
inline std::vector<DWORD> Grab(HDC source, int x, int y, int w, int h) {
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC mem = CreateCompatibleDC(source);
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, w, h, source, x, y, SRCCOPY);
  GdiFlush();
  std::vector<DWORD> out(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + w * h);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  return out;
}

// The icon drawn on a plain background of one colour.
inline std::vector<DWORD> Render(HICON icon, int w, int h, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT r = {0, 0, w, h};
  HBRUSH brush = CreateSolidBrush(background);
  FillRect(mem, &r, brush);
  DeleteObject(brush);
  DrawIconEx(mem, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
  std::vector<DWORD> out = Grab(mem, 0, 0, w, h);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return out;
}

}  // namespace box_icon_detail

// MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK, or 0
// when the box shows none of them. The box must be visible on screen.
inline UINT ShownBoxIcon(HWND box) {
  using namespace box_icon_detail;
  HWND iconStatic = GetDlgItem(box, 1088);
  if (!iconStatic || !IsWindowVisible(iconStatic)) return 0;
  DWORD_PTR ignored;
  SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);  // painted by now
  RECT r;
  GetWindowRect(iconStatic, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return 0;
  HDC screen = GetDC(nullptr);
  std::vector<DWORD> shown = Grab(screen, r.left, r.top, w, h);
  ReleaseDC(nullptr, screen);

  struct Candidate {
    LPCSTR id;
    UINT style;
  } const candidates[] = {{IDI_HAND, MB_ICONHAND},
                          {IDI_QUESTION, MB_ICONQUESTION},
                          {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                          {IDI_ASTERISK, MB_ICONASTERISK}};
  UINT best = 0;
  double bestScore = 0.9;  // below this it is no standard icon
  for (const auto& c : candidates) {
    HICON icon = LoadIconA(nullptr, c.id);
    std::vector<DWORD> onWhite = Render(icon, w, h, RGB(255, 255, 255));
    std::vector<DWORD> onBlack = Render(icon, w, h, RGB(0, 0, 0));
    size_t opaque = 0, same = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
      if ((onWhite[i] & 0xFFFFFF) != (onBlack[i] & 0xFFFFFF)) continue;  // see-through
      ++opaque;
      if ((onWhite[i] & 0xFFFFFF) == (shown[i] & 0xFFFFFF)) ++same;
    }
    double score = opaque ? static_cast<double>(same) / opaque : 0;
    if (score > bestScore) {
      bestScore = score;
      best = c.style;
    }
  }
  return best;
}

}  // namespace e2e
