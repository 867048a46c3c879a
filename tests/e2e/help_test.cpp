// The help without velora.hlp: every place that opens it shows the page of
// its topic from the help folder of the install folder in the browser, and a
// page that is not there is reported as a failed link.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/form_helpers.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const std::string& HelpDir() {
  static const std::string dir = InstallDir() + "help\\";
  return dir;
}

// The help folder as Setup installs it, from the build's copy of the pages.
void InstallHelpPages() {
  CreateDirectoryA(HelpDir().c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((BuildDir() + "help\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      CopyFileA((BuildDir() + "help\\" + found.cFileName).c_str(),
                (HelpDir() + found.cFileName).c_str(), FALSE);
  } while (FindNextFileA(h, &found));
  FindClose(h);
}

void RemoveHelpPages() {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((HelpDir() + "*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do RemoveFile(HelpDir() + found.cFileName);
    while (FindNextFileA(h, &found));
    FindClose(h);
  }
  RemoveDirectoryA(HelpDir().c_str());
}

class HelpPages : public testing::Test {
 protected:
  void SetUp() override {
    ClearMachine();
    RemoveFile(InstallDir() + "velora.hlp");
    InstallHelpPages();
    app = StartFormApp();
    ASSERT_NE(nullptr, app.form);
  }
  void TearDown() override {
    CloseFormApp(app);
    RemoveHelpPages();
    ClearMachine();
  }

  // Waits for the next page the browser is asked to open and tells whether
  // it is that page of the install folder's help folder.
  testing::AssertionResult Opened(const char* page) {
    std::vector<std::string> lines = WaitForLogLines("browser.log", ++opened_);
    if (lines.size() < opened_) return testing::AssertionFailure() << "nothing opened for " << page;
    const std::string wanted = HelpDir() + page;
    if (lines.back().find(wanted) == std::string::npos)
      return testing::AssertionFailure() << "opened " << lines.back() << ", not " << wanted;
    return testing::AssertionSuccess();
  }

  void ClickLink(int id) {
    HWND link = app.Item(id);
    PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }

  BrowserStandIn browser;
  FormApp app;
  size_t opened_ = 0;
};

TEST_F(HelpPages, MenuF1AndTheHelpButtonOpenTheWelcomePage) {
  PostCommand(app.frame, ID_HELP_INDEX);
  EXPECT_TRUE(Opened("welcome.htm"));
  PostMessageA(app.frame, WM_KEYDOWN, VK_F1, 0x003B0001);
  PostMessageA(app.frame, WM_KEYUP, VK_F1, 0xC03B0001);
  EXPECT_TRUE(Opened("welcome.htm"));
  Click(app.form, IDC_HELP_BUTTON);
  EXPECT_TRUE(Opened("welcome.htm"));
  EXPECT_EQ(nullptr, FindAnyMessageBox(app.p.pid()));
}

TEST_F(HelpPages, DialogsAndSettingLinksOpenTheirTopics) {
  HWND dialog = OpenModeDialog(app, IDC_MODE_MANUAL, kManualModeCaption);
  ASSERT_NE(nullptr, dialog);
  Click(dialog, IDC_AUTO_HELP);
  EXPECT_TRUE(Opened("modes.htm"));
  ASSERT_TRUE(Answer(dialog, IDOK));
  ASSERT_TRUE(IdlePass(app.frame));  // the links are enabled in manual mode

  const struct {
    int link;
    const char* page;
  } links[] = {{IDC_HELP_MTU, "mtu.htm"},         {IDC_HELP_RWIN, "rwin.htm"},
               {IDC_HELP_TTL, "ttl.htm"},         {IDC_HELP_KEEPALIVE, "keepalive.htm"},
               {IDC_HELP_PMTU, "pmtu.htm"},       {IDC_HELP_NDI, "ndicache.htm"}};
  for (const auto& l : links) {
    ClickLink(l.link);
    EXPECT_TRUE(Opened(l.page)) << l.link;
  }

  PostCommand(app.frame, ID_PING_CONFIGURATION);
  dialog = WaitForWindow(app.p.pid(), "#32770", kPingCaption);
  ASSERT_NE(nullptr, dialog);
  Click(dialog, IDC_PING_HELP);
  EXPECT_TRUE(Opened("ping.htm"));
  EXPECT_TRUE(Answer(dialog, IDCANCEL));
  EXPECT_EQ(nullptr, FindAnyMessageBox(app.p.pid()));
}

TEST_F(HelpPages, AMissingPageIsReportedAsAFailedLink) {
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption));
  RemoveFile(HelpDir() + "ttl.htm");
  ClickLink(IDC_HELP_TTL);
  HWND box = WaitForMessageBox(app.p.pid(), "VELORA");
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Unable to open hyperlink:\n\nThe specified file was not found.", MessageBoxText(box));
  EXPECT_TRUE(Answer(box, IDOK));

  // Without the help folder at all, the path is what is missing.
  RemoveHelpPages();
  PostCommand(app.frame, ID_HELP_INDEX);
  box = WaitForMessageBox(app.p.pid(), "VELORA");
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Unable to open hyperlink:\n\nThe specified path was not found.", MessageBoxText(box));
  EXPECT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(LogLines("browser.log").empty());
}

}  // namespace
}  // namespace e2e
