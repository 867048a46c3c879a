// The About box: alone for the "about" verb, from the Help menu, its links
// and its pictures.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

TEST(AboutBox, TheVerbShowsItAloneWithItsIconAndCloseEndsTheRun) {
  SeedInstallFolder(InstallDir());
  Proc p = Start("/about");
  HWND dialog = WaitForWindow(p.pid(), "#32770", kAboutCaption);
  ASSERT_NE(nullptr, dialog);
  EXPECT_TRUE(TopWindows(p.pid(), kFrameClass, nullptr, false).empty());
  EXPECT_TRUE(WaitUntil([&] { return CaptionShowsOurIcon(dialog); }));
  EXPECT_EQ("Web Site:", ItemText(dialog, IDC_ABOUT_WEB_LABEL));
  EXPECT_EQ("www.norwick.example", ItemText(dialog, IDC_ABOUT_WEB_LINK));
  EXPECT_EQ("Support team:", ItemText(dialog, IDC_ABOUT_MAIL_LABEL));
  EXPECT_EQ("support@norwick.example", ItemText(dialog, IDC_ABOUT_MAIL_LINK));
  EXPECT_EQ("&Close", ItemText(dialog, IDC_ABOUT_CLOSE));
  Click(dialog, IDC_ABOUT_CLOSE);
  EXPECT_TRUE(p.WaitExit());
}

TEST(AboutBox, LinksOpenTheHomePageAndAMailToSupport) {
  BrowserStandIn browser;
  SeedInstallFolder(InstallDir());
  Proc p = Start("/about");
  HWND dialog = WaitForWindow(p.pid(), "#32770", kAboutCaption);
  ASSERT_NE(nullptr, dialog);
  const struct {
    int id;
    const char* url;
  } links[] = {{IDC_ABOUT_WEB_LINK, "http://www.norwick.example/?ref=Velora 2001 v5.1_about"},
               {IDC_ABOUT_MAIL_LINK, "mailto:support@norwick.example?subject=Velora 2001 v5.1"}};
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
  Click(dialog, IDC_ABOUT_CLOSE);
  EXPECT_TRUE(p.WaitExit());
}

TEST(AboutBox, PictureIsA256ColourBitmapOfItsSize) {
  Resources res;
  ASSERT_NE(nullptr, res.module());
  HRSRC found = FindResourceA(res.module(), MAKEINTRESOURCEA(IDB_ABOUT), RT_BITMAP);
  ASSERT_NE(nullptr, found);
  auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(res.module(), found)));
  ASSERT_NE(nullptr, header);
  EXPECT_EQ(125, header->biWidth);
  EXPECT_EQ(138, header->biHeight);
  EXPECT_EQ(8, header->biBitCount);
  EXPECT_TRUE(header->biClrUsed == 0 || header->biClrUsed == 256) << header->biClrUsed;
  EXPECT_GE(SizeofResource(res.module(), found), header->biSize + 256 * 4 + 128u * 138u);
  for (int icon : {IDR_MAINFRAME, IDI_ABOUT})
    EXPECT_NE(nullptr, FindResourceA(res.module(), MAKEINTRESOURCEA(icon), RT_GROUP_ICON)) << icon;
}

}  // namespace
}  // namespace e2e
