#include "ui/gdi.h"

namespace ui {

SIZE MeasureText(HWND window, const std::string& text, HFONT font) {
  if (!font) font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  ScopedGetDC dc(window);
  ScopedSelectObject select(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace ui
