// The setting links' tooltips under Wine: a link makes its tooltip when the
// pointer first comes to it, and that tooltip shows the link's tip text.
#include "tests/e2e/form_helpers.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace e2e {
namespace {

// The visible tooltip of the process that shows `text`, or null.
HWND ShownTip(DWORD pid, const std::string& text) {
  for (HWND w : TopWindows(pid, TOOLTIPS_CLASSA, nullptr, true))
    if (Text(w) == text) return w;
  return nullptr;
}

TEST(LinkTips, ThePointerOnALinkShowsItsTipText) {
  ClearMachine();
  FormApp app = StartFormApp();
  ASSERT_NE(nullptr, app.form);
  // Manual mode enables the links; disabled ones take no pointer.
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, "Manual Mode"));
  for (const auto& link : {std::make_pair(IDC_HELP_RWIN, "Click for RWIN help..."),
                           std::make_pair(IDC_HELP_NDI, "Click for NDI Cache help...")}) {
    RECT r;
    GetWindowRect(app.Item(link.first), &r);
    POINT centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    SetCursorPos(centre.x - 1, centre.y);
    SetCursorPos(centre.x, centre.y);
    EXPECT_TRUE(WaitUntil([&] { return ShownTip(app.p.pid(), link.second) != nullptr; }))
        << link.second;
    ParkPointer();
    EXPECT_TRUE(WaitUntil([&] { return ShownTip(app.p.pid(), link.second) == nullptr; }))
        << link.second << ": the tip goes with the pointer";
  }
  CloseFormApp(app);
}

}  // namespace
}  // namespace e2e
