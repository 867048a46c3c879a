// The rules of the manual controls, the mode texts and the font layout,
// without a window.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "form/form_layout.h"
#include "form/manual_rules.h"
#include "form/mode_choice.h"
#include "res/resource.h"
#include "tuning/tuning_choices.h"

namespace vl {
namespace {

// ---- Custom edits ----

struct MtuCase {
  const char* typed;
  EditVerdict verdict;
  const char* mtu;  // stored afterwards; the state before was MTU "15", MSS "-25"
  const char* mss;
};

TEST(CustomEditRule, MtuTextIsTrimmedLimitedToFiveDigitsAndGivesTheMss) {
  const MtuCase cases[] = {
      {"1500", EditVerdict::Accepted, "1500", "1460"},
      {" 576 ", EditVerdict::Accepted, "576", "536"},
      {"\t42\r\n", EditVerdict::Accepted, "42", "2"},
      {"0", EditVerdict::Accepted, "0", "-40"},
      {"12", EditVerdict::Accepted, "12", "-28"},
      {"99999", EditVerdict::Accepted, "99999", "99959"},
      {"00576", EditVerdict::Accepted, "00576", "536"},
      {"", EditVerdict::Accepted, "", ""},
      {"   ", EditVerdict::Accepted, "", ""},
      {"123456", EditVerdict::TooLong, "15", "-25"},
      {"12345a", EditVerdict::TooLong, "15", "-25"},  // the length is judged first
      {"15a", EditVerdict::NotADigit, "15", "-25"},
      {"-5", EditVerdict::NotADigit, "15", "-25"},
      {"1.5", EditVerdict::NotADigit, "15", "-25"},
      {"1 5", EditVerdict::NotADigit, "15", "-25"},
      {"+15", EditVerdict::NotADigit, "15", "-25"},
  };
  for (const MtuCase& c : cases) {
    SCOPED_TRACE(std::string("typed \"") + c.typed + "\"");
    AppState app;
    app.m_strMaxMtu = "15";
    app.m_strMaxMss = "-25";
    std::string last = "15";
    EXPECT_EQ(c.verdict, UpdateMtuEdit(app, last, c.typed));
    EXPECT_EQ(c.mtu, app.m_strMaxMtu);
    EXPECT_EQ(c.mss, app.m_strMaxMss);
    EXPECT_EQ(c.verdict == EditVerdict::Accepted ? c.mtu : "15", last);
  }
}

TEST(CustomEditRule, TtlKeepsAnyFiveDigitNumberAndNothingElse) {
  const struct {
    const char* typed;
    EditVerdict verdict;
    const char* ttl;
  } cases[] = {
      {"0", EditVerdict::Accepted, "0"},
      {"99999", EditVerdict::Accepted, "99999"},
      {" 64 ", EditVerdict::Accepted, "64"},
      {"", EditVerdict::Accepted, ""},
      {"100000", EditVerdict::TooLong, "128"},
      {"6x", EditVerdict::NotADigit, "128"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    AppState app;
    app.m_strTtl = "128";
    std::string last = "128";
    EXPECT_EQ(c.verdict, UpdateTtlEdit(app, last, c.typed));
    EXPECT_EQ(c.ttl, app.m_strTtl);
    EXPECT_EQ(c.ttl, last);
    EXPECT_EQ("", app.m_strMaxMtu);  // the TTL edit touches nothing else
  }
}

TEST(CustomEditRule, CustomRadioTakesTheEditTextUnjudged) {
  AppState app;
  StoreCustomMtu(app, " 576 ");
  EXPECT_EQ("576", app.m_strMaxMtu);
  EXPECT_EQ("536", app.m_strMaxMss);
  StoreCustomMtu(app, "");
  EXPECT_EQ("", app.m_strMaxMtu);
  EXPECT_EQ("", app.m_strMaxMss);
  StoreCustomTtl(app, "  7 ");
  EXPECT_EQ("7", app.m_strTtl);
  EXPECT_EQ("-40", MssForMtu("abc"));
}

// ---- Radio values ----

TEST(SettingRadios, EachFixedRadioStoresItsValueWhateverItsCaption) {
  const struct {
    int radio;
    std::string AppState::*member;
    const char* value;
  } cases[] = {
      {IDC_MTU_DEFAULT, &AppState::m_strMaxMtu, "1500"},
      {IDC_MTU_DEFAULT, &AppState::m_strMaxMss, "1460"},
      {IDC_MTU_576, &AppState::m_strMaxMtu, "576"},
      {IDC_MTU_576, &AppState::m_strMaxMss, "536"},
      {IDC_RWIN_DEFAULT, &AppState::m_strRwinMultiple, "x0"},
      {IDC_RWIN_X6, &AppState::m_strRwinMultiple, "x6"},
      {IDC_TTL_DEFAULT, &AppState::m_strTtl, "32"},
      {IDC_TTL_128, &AppState::m_strTtl, "128"},
      {IDC_KEEPALIVE_DEFAULT, &AppState::m_strKeepAlive, "60 min."},
      {IDC_KEEPALIVE_10, &AppState::m_strKeepAlive, "10 min."},
      {IDC_NDI_DEFAULT, &AppState::m_strNdiCache, "0"},
      {IDC_NDI_16, &AppState::m_strNdiCache, "16"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radio);
    AppState app;
    EXPECT_TRUE(StoreRadioValue(app, c.radio));
    EXPECT_EQ(c.value, app.*c.member);
  }
  AppState app;
  for (int custom : {IDC_MTU_CUSTOM, IDC_RWIN_CUSTOM, IDC_TTL_CUSTOM, IDC_KEEPALIVE_CUSTOM,
                     IDC_NDI_CUSTOM, IDC_APPLY})
    EXPECT_FALSE(StoreRadioValue(app, custom));
  EXPECT_EQ("", app.m_strMaxMtu + app.m_strRwinMultiple + app.m_strTtl + app.m_strKeepAlive +
                    app.m_strNdiCache);
}

TEST(SettingLists, ItemsInTheirOrder) {
  EXPECT_EQ((std::vector<std::string>{"x4", "x6", "x8", "x10", "x12", "x14", "x16"}), RwinItems());
  EXPECT_EQ((std::vector<std::string>{"0", "2", "4", "8", "16", "32", "64"}), NdiItems());
  std::vector<std::string> keepAlive = KeepAliveItems();
  ASSERT_EQ(60u, keepAlive.size());
  EXPECT_EQ("1 min.", keepAlive.front());
  EXPECT_EQ("10 min.", keepAlive[9]);
  EXPECT_EQ("60 min.", keepAlive.back());
}

// ---- Mode texts and choices ----

TEST(ManualChoices, LanCaptionsOnlyForManualLan) {
  const ManualChoices& lan = ManualChoicesFor(ModeManualLan);
  EXPECT_STREQ("Default  (Recommended)", lan.mtuDefault);
  EXPECT_STREQ("576", lan.mtu576);
  EXPECT_STREQ("Default  (Recommended)", lan.rwinDefault);
  EXPECT_STREQ("Multiple 6", lan.rwinX6);
  EXPECT_STREQ("Default  (Recommended)", lan.ttlDefault);
  EXPECT_STREQ("128", lan.ttl128);
  EXPECT_STREQ("60min. (Recommended)", lan.keepAliveDefault);
  EXPECT_STREQ("10min.", lan.keepAlive10);
  EXPECT_EQ((std::vector<int>{IDC_MTU_DEFAULT, IDC_RWIN_DEFAULT, IDC_TTL_DEFAULT,
                              IDC_KEEPALIVE_DEFAULT}),
            std::vector<int>(lan.recommended, lan.recommended + 4));

  for (int mode : {ModeManualDialUp, ModeManual}) {
    SCOPED_TRACE(mode);
    const ManualChoices& d = ManualChoicesFor(mode);
    EXPECT_STREQ("Windows Default", d.mtuDefault);
    EXPECT_STREQ("576  (Recommended)", d.mtu576);
    EXPECT_STREQ("Windows Default", d.rwinDefault);
    EXPECT_STREQ("Multiple 6  (Recommended)", d.rwinX6);
    EXPECT_STREQ("Windows Default", d.ttlDefault);
    EXPECT_STREQ("128  (Recommended)", d.ttl128);
    EXPECT_STREQ("Windows Default", d.keepAliveDefault);
    EXPECT_STREQ("10min. (Recommended)", d.keepAlive10);
    EXPECT_EQ((std::vector<int>{IDC_MTU_576, IDC_RWIN_X6, IDC_TTL_128, IDC_KEEPALIVE_10}),
              std::vector<int>(d.recommended, d.recommended + 4));
  }
}

TEST(AutoModeDialogTexts, ByMode) {
  const struct {
    int mode;
    const char* caption;
    const char* text;
    const char* info;
    const char* apply;
    int icon;
  } cases[] = {
      {ModeManual, "Manual Mode",
       "You chose to use the Networking Performance\nManual Configured mode.",
       "Try various settings combinations and watch your\nInternet performance to find out which "
       "configuration\nsuits you best.",
       "After you finish to configure you will have to press the\n'Apply' button which is located "
       "in the bottom of the screen.",
       147},
      {ModeAutoLan, "Automatic Mode - LAN",
       "You chose to use the Local Area Networking (LAN)\nAutomatically Configured mode.",
       "The program will perform some tests on your computer\nand will automatically optimize "
       "your LAN configuration.",
       "In order to begin, all you have to do is to press the 'Apply'\nbutton which is located in "
       "bottom of the screen.",
       148},
      {ModeAutoDialUp, "Automatic Mode - Dial-Up",
       "You chose to use the Dial-Up Networking (Modem)\nAutomatically Configured mode.",
       "The program will perform some tests on your computer\nand will automatically optimize "
       "your Dial-Up configuration.",
       "In order to begin, all you have to do is to press the 'Apply'\nbutton which is located in "
       "the bottom of the screen.",
       149},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    const AutoModeTexts& t = AutoModeTextsFor(c.mode);
    EXPECT_STREQ(c.caption, t.caption);
    EXPECT_STREQ(c.text, t.mode);
    EXPECT_STREQ(c.info, t.info);
    EXPECT_STREQ(c.apply, t.apply);
    EXPECT_EQ(c.icon, AutoModeIconFor(c.mode));
  }
  // Modes the dialog never opens in fall back on the Dial-Up texts and the
  // manual icon.
  EXPECT_STREQ("Automatic Mode - Dial-Up", AutoModeTextsFor(ModeNone).caption);
  EXPECT_EQ(147, AutoModeIconFor(ModeManualLan));
  EXPECT_STREQ("Which adapter would you like to configure?", kAdapterQuestion);
}

TEST(AutoModeDialogOk, ManualModeFollowsTheAnswerOrTheOnlyAdapterKind) {
  const AdapterCensus none{false, false}, dialUp{true, false}, lan{false, true}, both{true, true};
  const struct {
    int mode;
    AdapterCensus census;
    bool dialUpChosen;
    bool asks;
    int after;
  } cases[] = {
      {ModeManual, both, true, true, ModeManualDialUp},
      {ModeManual, both, false, true, ModeManualLan},
      {ModeManual, dialUp, true, false, ModeManualDialUp},
      {ModeManual, none, true, false, ModeManualDialUp},
      // LAN adapters only: configured as LAN, or the Apply would write nothing.
      {ModeManual, lan, true, false, ModeManualLan},
      {ModeAutoLan, both, true, false, ModeAutoLan},
      {ModeAutoDialUp, lan, true, false, ModeAutoDialUp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.census.hasDialUp << c.census.hasLan);
    bool asks = AsksAdapterQuestion(c.mode, c.census);
    EXPECT_EQ(c.asks, asks);
    EXPECT_EQ(c.after, ModeAfterOk(c.mode, asks, c.dialUpChosen, c.census));
  }
}

// ---- Large fonts ----

TEST(FontLayout, OnlyAnEightyEightPixelApplyButtonMeansLargeFonts) {
  const struct {
    int width;
    const char* command;
    bool before;
    bool after, placeFrame, centreFrame, move;
    int listHeight;
  } cases[] = {
      {88, "", false, true, true, true, true, 16},
      {88, "detect", false, true, true, false, true, 16},
      {87, "", false, false, false, false, false, 13},
      {89, "", false, false, false, false, false, 13},
      {66, "", false, false, false, false, false, 13},
      // A flag set earlier in the run is kept, and it alone moves the controls.
      {66, "", true, true, false, false, true, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " " << c.command << " " << c.before);
    AppState app;
    app.m_strCommand = c.command;
    app.LargeFontLayout = c.before;
    FontLayoutPlan plan = PlanFontLayout(app, c.width);
    EXPECT_EQ(c.after, app.LargeFontLayout);
    EXPECT_EQ(c.placeFrame, plan.placeFrame);
    EXPECT_EQ(c.centreFrame, plan.centreFrame);
    EXPECT_EQ(c.move, plan.moveControls);
    EXPECT_EQ(c.listHeight, plan.listItemHeight);
  }
  EXPECT_EQ(800, kLargeFontFrameRect.right - kLargeFontFrameRect.left);
  EXPECT_EQ(546, kLargeFontFrameRect.bottom - kLargeFontFrameRect.top);
}

}  // namespace
}  // namespace vl
