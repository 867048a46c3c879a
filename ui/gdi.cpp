#include "ui/gdi.h"

namespace ui {

SIZE MeasureText(HWND window, const std::string& text, HFONT font) {
  if (!font) font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  // A text's extent depends on the font and the display alone; a context of
  // the display's own costs no round trip to the window system, which the
  // window's context does under Wine (the bars and six links measure at
  // start-up).
  ScopedMemDC dc(nullptr);
  ScopedSelectObject select(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

}  // namespace ui
