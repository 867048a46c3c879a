#include "tuning/tuning_choices.h"

#include <gtest/gtest.h>

#include "state/app_state.h"

namespace vl {
namespace {

TEST(LoadAutoMode, LeavesExactlyTheChosenColumn) {
  const struct {
    ConfigMode mode;
    const char* description;
    std::vector<std::string> texts;  // MTU, MSS, TTL, RWIN, keep-alive, NDI cache
  } cases[] = {
      {ModeAutoDialUp, "Dial-Up Networking (Modem) - Automatically Configured",
       {"576", "536", "128", "x6", "10 min.", "16"}},
      {ModeAutoLan, "Local Area Networking (LAN) - Automatically Configured",
       {"1500", "1460", "32", "x4", "60 min.", "16"}},
  };
  AppState app;
  app.m_tuning.m_dwRcvWindow = 7;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    LoadAutoMode(app, c.mode);
    const TuningSettings& t = app.m_tuning;
    EXPECT_EQ(c.mode, app.m_nConfigMode);
    EXPECT_EQ(c.description, app.m_strActiveConfig);
    EXPECT_EQ(c.texts, (std::vector<std::string>{t.m_strMaxMtu, t.m_strMaxMss, t.m_strTtl,
                                                 t.m_strRwinMultiple, t.m_strKeepAlive,
                                                 t.m_strNdiCache}));
    EXPECT_EQ(7u, t.m_dwRcvWindow) << "the window is the writer's to compute";
  }
  // The manual modes take their values from the form's controls.
  LoadAutoMode(app, ModeManual);
  EXPECT_EQ(ModeAutoLan, app.m_nConfigMode);
}

}  // namespace
}  // namespace vl
