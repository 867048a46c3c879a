#include "tuning/tuning_choices.h"

#include <gtest/gtest.h>

#include "app/app_state.h"

namespace vl {
namespace {

TEST(Atoi, FollowsTheCLibraryRules) {
  struct Case {
    std::string text;
    int value;
  } const cases[] = {
      {"1500", 1500}, {"  \t\n576", 576}, {"+32", 32},   {"-40", -40},  {"12abc", 12},
      {"x6", 0},      {"", 0},            {"-", 0},      {" - 5", 0},   {"1 2", 1},
      {"007", 7},     {"2147483647", 2147483647},        {"4294967296", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, Atoi(c.text)) << '"' << c.text << '"';
}

TEST(LoadAutoMode, LeavesExactlyTheChosenColumn) {
  AppState app;
  EXPECT_EQ(ModeNone, app.m_nConfigMode);
  LoadAutoMode(app, ModeAutoDialUp);
  EXPECT_EQ(ModeAutoDialUp, app.m_nConfigMode);
  EXPECT_EQ("Dial-Up Networking (Modem) - Automatically Configured", app.m_strActiveConfig);
  EXPECT_EQ("576", app.m_strMaxMtu);
  EXPECT_EQ("x6", app.m_strRwinMultiple);

  LoadAutoMode(app, ModeAutoLan);
  EXPECT_EQ(ModeAutoLan, app.m_nConfigMode);
  EXPECT_EQ("Local Area Networking (LAN) - Automatically Configured", app.m_strActiveConfig);
  const std::string lan[] = {app.m_strMaxMtu,       app.m_strMaxMss,    app.m_strTtl,
                             app.m_strRwinMultiple, app.m_strKeepAlive, app.m_strNdiCache};
  const std::string expected[] = {"1500", "1460", "32", "x4", "60 min.", "16"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], lan[i]) << i;
}

TEST(LoadAutoMode, DialUpColumn) {
  AppState app;
  LoadAutoMode(app, ModeAutoDialUp);
  const std::string got[] = {app.m_strMaxMtu,       app.m_strMaxMss,    app.m_strTtl,
                             app.m_strRwinMultiple, app.m_strKeepAlive, app.m_strNdiCache};
  const std::string expected[] = {"576", "536", "128", "x6", "10 min.", "16"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(expected[i], got[i]) << i;
  EXPECT_EQ(std::string("Networking Performance - Manual Configured"), kDescManual);
}

}  // namespace
}  // namespace vl
