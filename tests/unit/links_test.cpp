#include <gtest/gtest.h>

#include "links/fit_to_text.h"
#include "links/help.h"
#include "links/link_actions.h"
#include "links/open_url.h"
#include "links/shortcuts.h"
#include "res/resource.h"
#include "tests/unit/kit/mem_app.h"

namespace vl {
namespace {

class LinksTest : public testing::Test, public MemApp {
 protected:
  // The registered opener of web pages, as a browser installer leaves it.
  void RegisterOpener(const std::string& command) {
    reg.PutSz("HKCR\\.htm", "", "htmlfile");
    reg.PutSz("HKCR\\htmlfile\\shell\\open\\command", "", command);
  }

  // An installed program with its help pages and, when asked, the old help
  // file.
  void InstallWithHelp(const std::string& folder, bool withHelpFile, bool withPages = true) {
    Install(folder);
    if (!withPages) return;
    files.AddDirectory(folder + "\\help");
    for (size_t i = 0; i < kHelpTopicCount; ++i)
      files.AddFile(folder + "\\help\\" + kHelpTopics[i].page, "<html></html>");
    if (withHelpFile) files.AddFile(folder + "\\velora.hlp", "");
  }
};

TEST(OpenErrorText, EveryCodeOfTheTableAndUnknownOnes) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {0, "The operating system is out\nof memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied\naccess to the specified file."},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
      {26, "A sharing violation occurred. "},
      {27, "The filename association is\nincomplete or invalid."},
      {28, "The DDE transaction could not\nbe completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30,
       "The DDE transaction could not\nbe completed because other DDE transactions\nwere being "
       "processed."},
      {31, "There is no application associated\nwith the given filename extension."},
      {32, "The specified dynamic-link library was not found."},
      {4, "Unknown Error (4) occurred."},
      {33, "Unknown Error (33) occurred."},
      {-1, "Unknown Error (-1) occurred."},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, OpenErrorText(c.code)) << c.code;
}

TEST_F(LinksTest, ReportOpenErrorShowsTheTextUnderTheApplicationTitle) {
  ReportOpenError(boxes, 26, 77);
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ("Unable to open hyperlink:\n\nA sharing violation occurred. ", boxes.shown[0].text);
  EXPECT_EQ("VELORA", boxes.shown[0].caption);
  EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[0].style);
  EXPECT_EQ(77u, boxes.shown[0].owner);
}

TEST(FallbackCommandLine, PutsTheUrlWhereThePlaceholderStood) {
  const std::string url = "http://a.example/?ref=Velora 2001 v5.1_about";
  const struct {
    const char* command;
    std::string expected;
  } cases[] = {
      // The switch after the quoted placeholder goes; the blank before it stays.
      {"\"C:\\Program Files\\Web\\browse.exe\" -nohome \"%1\" -new",
       "\"C:\\Program Files\\Web\\browse.exe\" -nohome  " + url},
      {"C:\\WEB\\BROWSE.EXE %1", "C:\\WEB\\BROWSE.EXE  " + url},
      {"C:\\WEB\\BROWSE.EXE -nohome", "C:\\WEB\\BROWSE.EXE -nohome " + url},
      {"", " " + url},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, FallbackCommandLine(c.command, url)) << c.command;
}

TEST_F(LinksTest, OpenUrlGoesToTheShellFirst) {
  RegisterOpener("browse.exe \"%1\"");
  EXPECT_EQ(42, OpenUrl(shell, reg, "http://a.example/", kSwShow));
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("ShellExecute", shell.calls[0].kind);
  EXPECT_EQ(0u, shell.calls[0].owner);
  EXPECT_EQ("open", shell.calls[0].operation);
  EXPECT_EQ("http://a.example/", shell.calls[0].file);
  EXPECT_EQ("", shell.calls[0].parameters);
  EXPECT_EQ("", shell.calls[0].directory);
  EXPECT_EQ(kSwShow, shell.calls[0].showCmd);
}

TEST_F(LinksTest, OpenUrlFallsBackOnTheRegisteredOpener) {
  shell.shellExecuteResult = 31;
  shell.winExecResult = 33;
  RegisterOpener("\"C:\\WEB\\browse.exe\" -nohome \"%1\" -new");
  EXPECT_EQ(33, OpenUrl(shell, reg, "http://a.example/", kSwShow));
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ("WinExec", shell.calls[1].kind);
  EXPECT_EQ("\"C:\\WEB\\browse.exe\" -nohome  http://a.example/", shell.calls[1].file);
  EXPECT_EQ(kSwShow, shell.calls[1].showCmd);
  EXPECT_EQ(0u, reg.OpenHandles());
}

TEST_F(LinksTest, OpenUrlReturnsTheShellsResultWithoutAnOpener) {
  shell.shellExecuteResult = 31;
  EXPECT_EQ(31, OpenUrl(shell, reg, "http://a.example/", kSwShow));  // no .htm key
  reg.PutSz("HKCR\\.htm", "", "htmlfile");
  EXPECT_EQ(31, OpenUrl(shell, reg, "http://a.example/", kSwShow));  // no command key
  for (const auto& call : shell.calls) EXPECT_EQ("ShellExecute", call.kind);
}

TEST_F(LinksTest, OpenUrlFallbackTakesLongTextsWhole) {
  shell.shellExecuteResult = 2;
  std::string opener = "\"C:\\" + std::string(240, 'p') + ".exe\" \"%1\"";
  opener += std::string(kKeyDefaultLimit - 1 - opener.size(), ' ');  // the longest value read
  RegisterOpener(opener);
  std::string url = "http://a.example/?q=" + std::string(5000, 'u');
  OpenUrl(shell, reg, url, kSwShow);
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ("\"C:\\" + std::string(240, 'p') + ".exe\"  " + url, shell.calls[1].file);
}

TEST_F(LinksTest, QueryKeyDefaultReadsAtMostTheLimit) {
  reg.PutSz("HKCR\\ok", "", "value");
  reg.PutSz("HKCR\\long", "", std::string(kKeyDefaultLimit, 'x'));  // 261 bytes with the NUL
  reg.AddKey("HKCR\\empty");
  std::string out = "untouched";
  EXPECT_EQ(kErrorFileNotFound, QueryKeyDefault(reg, kHkeyClassesRoot, "missing", &out));
  EXPECT_EQ("untouched", out);
  EXPECT_EQ(kErrorSuccess, QueryKeyDefault(reg, kHkeyClassesRoot, "ok", &out));
  EXPECT_EQ("value", out);
  EXPECT_EQ(kErrorSuccess, QueryKeyDefault(reg, kHkeyClassesRoot, "long", &out));
  EXPECT_EQ("", out);
  out = "x";
  EXPECT_EQ(kErrorSuccess, QueryKeyDefault(reg, kHkeyClassesRoot, "empty", &out));
  EXPECT_EQ("", out);
  EXPECT_EQ(0u, reg.OpenHandles());
}

TEST_F(LinksTest, HelpFileOfTheInstallFolderOpensInWinHelpAtTheKeyword) {
  InstallWithHelp("C:\\Velora", /*withHelpFile=*/true);
  for (const char* folder : {"C:\\Velora", "C:\\Velora\\"}) {
    shell.calls.clear();
    reg.PutSz(kInstallKey, "Folder", folder);
    HelpTopics(app, kHelpWelcome);
    ASSERT_EQ(1u, shell.calls.size()) << folder;
    EXPECT_EQ("WinHelp", shell.calls[0].kind);
    EXPECT_EQ(0u, shell.calls[0].owner);
    EXPECT_EQ("C:\\Velora\\velora.hlp", shell.calls[0].file);
    EXPECT_EQ(0x0101u, shell.calls[0].command);
    EXPECT_EQ("Welcome to Velora\xAE 2001", shell.calls[0].parameters);
  }
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinksTest, WithoutHelpFileTheKeywordsPageOpensInTheBrowser) {
  InstallWithHelp("C:\\Program Files\\Velora 2001", /*withHelpFile=*/false);
  HelpTopics(app, kHelpMtu, 9);
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("ShellExecute", shell.calls[0].kind);
  EXPECT_EQ("open", shell.calls[0].operation);
  EXPECT_EQ("file:///C:/Program%20Files/Velora%202001/help/mtu.htm", shell.calls[0].file);
  EXPECT_EQ(kSwShowNormal, shell.calls[0].showCmd);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(boxes.beeps.empty());
}

TEST_F(LinksTest, HelpPageFallsBackOnTheRegisteredOpenerLikeALink) {
  InstallWithHelp("C:\\Velora", /*withHelpFile=*/false);
  RegisterOpener("\"C:\\IE\\iexplore.exe\" -nohome \"%1\"");
  shell.shellExecuteResult = 31;
  HelpTopics(app, kHelpPing);
  ASSERT_EQ(2u, shell.calls.size());
  EXPECT_EQ("WinExec", shell.calls[1].kind);
  EXPECT_EQ("\"C:\\IE\\iexplore.exe\" -nohome  file:///C:/Velora/help/ping.htm",
            shell.calls[1].file);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinksTest, HelpPageThatCannotBeOpenedIsReportedLikeAFailedLink) {
  const std::string unable = "Unable to open hyperlink:\n\n";
  const struct {
    const char* name;
    const char* keyword;
    bool pages;           // the help folder installed
    const char* removed;  // a page taken away after the install
    intptr_t shellResult;
    std::string text;
    size_t shellCalls;
  } cases[] = {
      {"page missing", kHelpTtl, true, "C:\\V\\help\\ttl.htm", 42,
       unable + "The specified file was not found.", 0},
      {"keyword unknown", "Index", true, nullptr, 42, unable + "The specified file was not found.", 0},
      {"help folder missing", kHelpTtl, false, nullptr, 42,
       unable + "The specified path was not found.", 0},
      {"no opener at all", kHelpTtl, true, nullptr, 31,
       unable + "There is no application associated\nwith the given filename extension.", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files = MemFiles();
    shell = MemShell();
    boxes = MemMessageBoxes();
    InstallWithHelp("C:\\V", /*withHelpFile=*/false, c.pages);
    if (c.removed) files.DeleteFileA(c.removed);
    shell.shellExecuteResult = c.shellResult;
    HelpTopics(app, c.keyword, 7);
    EXPECT_EQ(c.shellCalls, shell.calls.size());
    EXPECT_EQ(std::vector<unsigned>{kMbIconExclamation}, boxes.beeps);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ(c.text, boxes.shown[0].text);
    EXPECT_EQ("VELORA", boxes.shown[0].caption);
    EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[0].style);
    EXPECT_EQ(7u, boxes.shown[0].owner);
  }
}

TEST_F(LinksTest, HelpWithoutInstallFolderOpensNothing) {
  HelpTopics(app, kHelpPing);
  EXPECT_TRUE(shell.calls.empty());
}

TEST(FileUrl, SlashesAndEscapesWhatABrowserLineCannotCarry) {
  const struct {
    const char* path;
    const char* url;
  } cases[] = {
      {"C:\\Velora\\help\\mtu.htm", "file:///C:/Velora/help/mtu.htm"},
      {"C:\\Program Files\\Velora 2001\\help\\x.htm",
       "file:///C:/Program%20Files/Velora%202001/help/x.htm"},
      {"\\\\server\\share\\help\\x.htm", "file://server/share/help/x.htm"},
      {"D:\\50% #1\\caf\xE9\\a\"b.htm", "file:///D:/50%25%20%231/caf%E9/a%22b.htm"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.url, FileUrl(c.path)) << c.path;
}

TEST(ControlPanelCommandLine, ByCommandAndOsName) {
  const std::string run = "rundll32.exe shell32.dll,Control_RunDLL ";
  const struct {
    int id;
    const char* os;
    std::string expected;
  } cases[] = {
      {ID_CPL_SYSTEM, "98", run + "Sysdm.cpl"},       {ID_CPL_INTERNET, "NT", run + "Inetcpl.cpl"},
      {ID_CPL_MODEMS, "2000", run + "Modem.cpl"},     {ID_CPL_NETWORK, "NT", run + "Ncpa.cpl"},
      {ID_CPL_NETWORK, "2000", run + "Ncpa.cpl"},     {ID_CPL_NETWORK, "98", run + "Netcpl.cpl"},
      {ID_CPL_NETWORK, "Me", run + "Netcpl.cpl"},     {ID_CPL_NETWORK, "nt", run + "Netcpl.cpl"},
      {ID_CPL_NETWORK, "", run + "Netcpl.cpl"},       {ID_APP_ABOUT, "NT", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, ControlPanelCommandLine(c.id, c.os)) << c.id << " " << c.os;
}

TEST_F(LinksTest, ControlPanelRunsItsLineShownNormally) {
  app.m_strOsName = "98";
  RunControlPanel(app, ID_CPL_NETWORK);
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("WinExec", shell.calls[0].kind);
  EXPECT_EQ("rundll32.exe shell32.dll,Control_RunDLL Netcpl.cpl", shell.calls[0].file);
  EXPECT_EQ(kSwShowNormal, shell.calls[0].showCmd);
}

TEST_F(LinksTest, WebSupportOpensTheSiteWithTheMainMenuTag) {
  shell.shellExecuteResult = 2;  // no fallback and no message either way
  OpenWebSupport(app);
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("open", shell.calls[0].operation);
  EXPECT_EQ("http://www.norwick.example/?ref=Velora 2001 v5.1_mainmenu", shell.calls[0].file);
  EXPECT_EQ(kSwShowNormal, shell.calls[0].showCmd);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LinksTest, LinkUrlsCarryTheProductAndVersion) {
  EXPECT_EQ("http://www.norwick.example/?ref=Velora 2001 v5.1_about", HomePageUrl(app));
  EXPECT_EQ("mailto:support@norwick.example?subject=Velora 2001 v5.1", SupportMailUrl(app));
}

TEST_F(LinksTest, UrlLinksOpenWithShowAndReportAFailure) {
  EXPECT_EQ(LinkOutcome::Opened, ClickLink(app, "Click in order to send us an Email", 5));
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("mailto:support@norwick.example?subject=Velora 2001 v5.1", shell.calls[0].file);
  EXPECT_EQ(kSwShow, shell.calls[0].showCmd);
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(boxes.beeps.empty());

  shell.shellExecuteResult = 2;
  EXPECT_EQ(LinkOutcome::OpenFailed, ClickLink(app, "Click in order to visit our Home Page", 5));
  EXPECT_EQ("http://www.norwick.example/?ref=Velora 2001 v5.1_about", shell.calls.back().file);
  EXPECT_EQ(std::vector<unsigned>{kMbIconExclamation}, boxes.beeps);
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ("Unable to open hyperlink:\n\nThe specified file was not found.", boxes.shown[0].text);
  EXPECT_EQ(5u, boxes.shown[0].owner);
}

TEST_F(LinksTest, HelpLinksOpenTheirKeywordAndOtherTipsNothing) {
  InstallWithHelp("C:\\V", /*withHelpFile=*/true);
  const struct {
    const char* tip;
    const char* keyword;
  } cases[] = {
      {"Click for MTU help...", "MTU (Maximum Transmission Unit)"},
      {"Click for RWIN help...", "RWIN (Receive Window)"},
      {"Click for TTL help...", "TTL (Time To Live)"},
      {"Click for Session Keep Alive help...", "Session Keep Alive"},
      {"Click for PMTU help...", "PMTU (Path Maximum Transmission Unit)"},
      {"Click for NDI Cache help...", "NDI Cache"},
  };
  for (const auto& c : cases) {
    shell.calls.clear();
    EXPECT_EQ(LinkOutcome::HelpShown, ClickLink(app, c.tip, 0)) << c.tip;
    ASSERT_EQ(1u, shell.calls.size()) << c.tip;
    EXPECT_EQ("WinHelp", shell.calls[0].kind);
    EXPECT_EQ(c.keyword, shell.calls[0].parameters);
    EXPECT_NE(nullptr, HelpPageFor(c.keyword)) << c.keyword;
  }
  shell.calls.clear();
  for (const char* tip : {"", "www.norwick.example", "click for mtu help...", "Click for MTU help"})
    EXPECT_EQ(LinkOutcome::Nothing, ClickLink(app, tip, 0)) << tip;
  EXPECT_TRUE(shell.calls.empty());
}

TEST(FitRectToText, AnchorsByTheStaticsAlignment) {
  const LinkRect r{10, 20, 110, 41};  // 100 x 21
  const struct {
    unsigned style;
    int w, h;
    LinkRect expected;
  } cases[] = {
      {0, 60, 13, {10, 20, 70, 33}},                      // left: left and top kept
      {0, 140, 30, {10, 20, 150, 50}},                    // grows as well
      {kSsRight, 60, 13, {50, 20, 110, 33}},              // right edge kept
      {kSsCenter, 61, 13, {29, 20, 91, 33}},              // half of 39 is 19
      {kSsCenter, 140, 13, {-10, 20, 130, 33}},           // grows at both sides
      {kSsCenterImage, 60, 13, {10, 24, 70, 37}},         // half of 8 is 4
      {kSsCenterImage | kSsCenter, 60, 14, {30, 23, 90, 38}},  // half of 7 is 3
      {kSsCenterImage, 60, 30, {10, 16, 70, 45}},         // half of -9 is -4
      {0x000B /* SS_SIMPLE */, 60, 13, {10, 20, 70, 33}},  // not centred
  };
  for (const auto& c : cases) {
    LinkRect got = FitRectToText(r, c.w, c.h, c.style);
    EXPECT_EQ(c.expected.left, got.left) << c.style << " " << c.w;
    EXPECT_EQ(c.expected.top, got.top) << c.style << " " << c.w;
    EXPECT_EQ(c.expected.right, got.right) << c.style << " " << c.w;
    EXPECT_EQ(c.expected.bottom, got.bottom) << c.style << " " << c.w;
  }
}

}  // namespace
}  // namespace vl
