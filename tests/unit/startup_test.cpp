#include "app/startup.h"

#include <gtest/gtest.h>

#include "tests/unit/kit/mem_app.h"

namespace vl {
namespace {

TEST(ParseVerb, TextAfterTheFirstSlashLowerCased) {
  struct Case {
    std::string line;
    std::string verb;
  } const cases[] = {
      {"velora.exe", ""},
      {"\"C:\\Program Files\\Velora\\velora.exe\" /DETECT", "detect"},
      {"velora.exe /Detect", "detect"},
      {"velora.exe /detect now", "detect now"},
      {"velora.exe /ping ", "ping "},
      {"velora.exe /a/B", "a/b"},
      {"velora.exe /", ""},
      {"velora.exe /D\xC9TECT \xFF", "d\xC9tect \xFF"},  // only A to Z change
      {"velora.exe /" + std::string(8000, 'X'), std::string(8000, 'x')},
  };
  for (const auto& c : cases) EXPECT_EQ(c.verb, ParseVerb(c.line)) << c.line.substr(0, 60);
}

class RunStartupTest : public ::testing::Test {
 protected:
  RunStartupTest() {
    m.app.m_strProductName.clear();
    m.app.m_strVersion.clear();
    m.app.m_settings.SetBaseKey("");
    m.files.AddDirectory("C:\\Program Files\\Velora");
  }
  MemApp m;
};

TEST_F(RunStartupTest, EachVerbStartsTheCompanionFromTheInstallFolder) {
  struct Case {
    const char* line;
    StartupAction action;
  } const cases[] = {
      {"velora.exe", StartupAction::MainWindow},
      {"velora.exe /detect", StartupAction::MainWindow},
      {"velora.exe /ABOUT", StartupAction::AboutBox},
      {"velora.exe /ping", StartupAction::PingDialog},
      {"velora.exe /ping now", StartupAction::MainWindow},
      {"velora.exe /unknown", StartupAction::MainWindow},
  };
  for (const auto& c : cases) {
    MemApp fresh;
    fresh.files.AddDirectory("C:\\Program Files\\Velora");
    fresh.reg.PutSz(kInstallKey, "Folder", "C:\\Program Files\\Velora");
    EXPECT_EQ(c.action, RunStartup(fresh.app, c.line)) << c.line;
    EXPECT_EQ("C:\\Program Files\\Velora", fresh.files.GetCurrentDirectoryA()) << c.line;
    ASSERT_EQ(1u, fresh.shell.calls.size()) << c.line;
    const ShellCall& call = fresh.shell.calls[0];
    EXPECT_EQ("ShellExecute", call.kind);
    EXPECT_EQ(0u, call.owner);
    EXPECT_EQ("open", call.operation);
    EXPECT_EQ("vldetect.exe", call.file);
    EXPECT_EQ("/auto", call.parameters);
    EXPECT_EQ("", call.directory);
    EXPECT_EQ(kSwShowNormal, call.showCmd);
    EXPECT_TRUE(fresh.boxes.shown.empty());
  }
}

TEST_F(RunStartupTest, FixesNamesAndTheSettingsKey) {
  m.reg.PutSz(kInstallKey, "Folder", "C:\\Program Files\\Velora\\");
  RunStartup(m.app, "velora.exe /Detect");
  EXPECT_EQ("Velora 2001", m.app.m_strProductName);
  EXPECT_EQ("v5.1", m.app.m_strVersion);
  EXPECT_EQ("SOFTWARE\\Norwick Ltd\\Velora 2001", m.app.m_settings.BaseKey());
  EXPECT_EQ("detect", m.app.m_strCommand);
  EXPECT_TRUE(m.reg.HasKey("HKCU\\" + std::string(kFrameworkProfileKey) + "\\Recent File List"));
}

TEST_F(RunStartupTest, MissingInstallFolderEndsWithoutTheCompanion) {
  EXPECT_EQ(StartupAction::End, RunStartup(m.app, "velora.exe /about"));
  ASSERT_EQ(1u, m.boxes.shown.size());
  EXPECT_EQ("Velora 2001 - Severe Error", m.boxes.shown[0].caption);
  EXPECT_TRUE(m.shell.calls.empty());
  EXPECT_EQ("C:\\", m.files.GetCurrentDirectoryA());
}

TEST_F(RunStartupTest, UninstallNeedsNoInstallFolderAndStartsNothing) {
  EXPECT_EQ(StartupAction::End, RunStartup(m.app, "VELORA.EXE /UNINSTALL"));
  EXPECT_TRUE(m.boxes.shown.empty());
  EXPECT_TRUE(m.shell.calls.empty());
  for (const RegCall& call : m.reg.Calls())
    EXPECT_EQ(std::string::npos, call.path.find("Velora 2001")) << call.path;
}

}  // namespace
}  // namespace vl
