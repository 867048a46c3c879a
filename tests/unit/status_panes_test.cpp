#include <gtest/gtest.h>

#include "state/app_state.h"
#include "app/status_panes.h"

namespace vl {
namespace {

TEST(StatusPanes, ModeTextForEveryMode) {
  const struct {
    int mode;
    const char* text;
  } cases[] = {
      {ModeAutoDialUp, " Automatic Mode - Dial-Up "}, {ModeAutoLan, "   Automatic Mode - LAN"},
      {ModeManual, "           Manual Mode"},       {ModeManualDialUp, "   Manual Mode - Dial-Up"},
      {ModeManualLan, "      Manual Mode - LAN"},   {ModeNone, ""},
      {5, ""},                                      {-1, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, ModePaneText(c.mode)) << c.mode;
}

TEST(StatusPanes, TheLastModeTextIsKeptWhileNoModeIsChosen) {
  AppState app;
  app.m_nConfigMode = ModeManualLan;
  EXPECT_EQ("      Manual Mode - LAN", UpdateModePaneText(app));
  app.m_nConfigMode = ModeNone;
  EXPECT_EQ("", UpdateModePaneText(app));
  EXPECT_EQ("      Manual Mode - LAN", app.m_strModePaneText);
}

TEST(StatusPanes, OsTextForEveryOsName) {
  const struct {
    const char* os;
    const char* text;
  } cases[] = {
      {"2000", " OS: Windows 2000 "}, {"NT", "   OS: Windows NT "}, {"98", "   OS: Windows 98 "},
      {"95", "   OS: Windows 95 "},   {"Me", "   OS: Windows Me "}, {"ME", "   OS: Windows ME "},
      {"", "   OS: Windows  "},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text, OsPaneText(c.os)) << c.os;
}

}  // namespace
}  // namespace vl
