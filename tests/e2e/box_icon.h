// Which standard icon a message box of another process shows, told by its
// pixels on the screen: icon handles are not shared between processes under
// Wine, so the box's handle cannot be compared with one loaded here.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"

namespace e2e {

namespace box_icon_detail {
inline bool Near(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)) > 8)
      return false;
  return true;
}
}  // namespace box_icon_detail

// The icon as the screen shows it now (see ShownBoxIcon).
inline UINT BoxIconNow(HWND box) {
  using namespace box_icon_detail;
  HWND icon = GetDlgItem(box, kBoxIconId);
  if (!icon || !IsWindowVisible(icon)) return 0;
  RECT r;
  GetClientRect(icon, &r);
  MapWindowPoints(icon, nullptr, reinterpret_cast<POINT*>(&r), 2);
  std::vector<DWORD> seen = ScreenPixels(r);
  if (seen.empty()) return 0xFFFF;
  struct {
    LPCSTR id;
    UINT style;
  } const table[] = {{IDI_HAND, MB_ICONHAND},
                     {IDI_QUESTION, MB_ICONQUESTION},
                     {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                     {IDI_ASTERISK, MB_ICONASTERISK}};
  for (auto& t : table) {
    // The standard icons leave their corners clear, so a corner shows the
    // box's background.
    std::vector<DWORD> drawn = IconPixels(LoadIconA(nullptr, t.id), r.right - r.left,
                                          r.bottom - r.top, seen.front());
    size_t same = 0;
    for (size_t i = 0; i < seen.size(); ++i) same += Near(seen[i], drawn[i]) ? 1 : 0;
    if (same * 100 >= seen.size() * 98) return t.style;
  }
  return 0xFFFF;
}

// MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK, 0 when
// the box shows no icon, 0xFFFF when it shows another picture: once the
// icon has been painted, or what shows when it has not been within the
// timeout.
inline UINT ShownBoxIcon(HWND box, int timeoutMs = kWait) {
  UINT shown = 0xFFFF;
  WaitUntil([&] { return (shown = BoxIconNow(box)) != 0xFFFF; }, timeoutMs);
  return shown;
}

}  // namespace e2e
