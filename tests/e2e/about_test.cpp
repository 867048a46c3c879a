// The About box: alone for the "about" verb, from the Help menu, its links
// and its pictures.
#include <gtest/gtest.h>

#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const char kCaption[] = "About Velora";

TEST(AboutBox, TheVerbShowsItAloneWithItsIconAndCloseEndsTheRun) {
  SeedInstallFolder(InstallDir());
  Proc p = Start("/about");
  HWND dialog = WaitForWindow(p.pid(), "#32770", kCaption);
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(TopWindows(p.pid(), "VeloraFrame", nullptr, false).empty());
  Settle(dialog, 300);
  EXPECT_TRUE(CaptionShowsOurIcon(dialog));
  EXPECT_EQ("Web Site:", ItemText(dialog, 1002));
  EXPECT_EQ("www.norwick.example", ItemText(dialog, 1090));
  EXPECT_EQ("Support team:", ItemText(dialog, 1010));
  EXPECT_EQ("support@norwick.example", ItemText(dialog, 1091));
  EXPECT_EQ("&Close", ItemText(dialog, 1005));
  Click(dialog, 1005);
  EXPECT_TRUE(p.WaitExit());
}

TEST(AboutBox, FromTheHelpMenuWithoutIconOfItsOwn) {
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  PostCommand(run.frame, 57664);
  HWND dialog = WaitForWindow(run.proc.pid(), "#32770", kCaption);
  ASSERT_NE(nullptr, dialog);
  Settle(dialog, 300);
  EXPECT_FALSE(CaptionShowsOurIcon(dialog));
  Click(dialog, 1005);
  EXPECT_TRUE(WaitGone(dialog));
  EXPECT_TRUE(IsWindow(run.frame));
  EXPECT_TRUE(CloseFrame(run));
}

TEST(AboutBox, LinksOpenTheHomePageAndAMailToSupport) {
  BrowserStandIn browser;
  SeedInstallFolder(InstallDir());
  Proc p = Start("/about");
  HWND dialog = WaitForWindow(p.pid(), "#32770", kCaption);
  ASSERT_NE(nullptr, dialog);
  const struct {
    int id;
    const char* url;
  } links[] = {{1090, "http://www.norwick.example/?ref=Velora 2001 v5.1_about"},
               {1091, "mailto:support@norwick.example?subject=Velora 2001 v5.1"}};
  size_t count = 0;
  for (const auto& link : links) {
    HWND stat = GetDlgItem(dialog, link.id);
    PostMessageA(stat, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(stat, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    std::vector<std::string> lines = WaitForLogLines("browser.log", ++count);
    ASSERT_EQ(count, lines.size()) << link.url;
    EXPECT_NE(std::string::npos, lines.back().find(link.url)) << lines.back();
  }
  EXPECT_EQ(nullptr, FindAnyMessageBox(p.pid()));
  Click(dialog, 1005);
  EXPECT_TRUE(p.WaitExit());
}

TEST(AboutBox, PictureIsA256ColourBitmapOfItsSize) {
  Resources res;
  ASSERT_NE(nullptr, res.module());
  HRSRC found = FindResourceA(res.module(), MAKEINTRESOURCEA(152), MAKEINTRESOURCEA(2));
  ASSERT_NE(nullptr, found);
  auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(res.module(), found)));
  ASSERT_NE(nullptr, header);
  EXPECT_EQ(125, header->biWidth);
  EXPECT_EQ(138, header->biHeight);
  EXPECT_EQ(8, header->biBitCount);
  EXPECT_TRUE(header->biClrUsed == 0 || header->biClrUsed == 256) << header->biClrUsed;
  EXPECT_GE(SizeofResource(res.module(), found), header->biSize + 256 * 4 + 128u * 138u);
  for (int icon : {128, 161})
    EXPECT_NE(nullptr, FindResourceA(res.module(), MAKEINTRESOURCEA(icon), MAKEINTRESOURCEA(14)))
        << icon;
}

}  // namespace
}  // namespace e2e
