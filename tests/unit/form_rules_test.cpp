// The rules of the manual controls, the mode choices and the font layout,
// without a window.
#include <gtest/gtest.h>

#include "state/app_state.h"
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
    TuningSettings t;
    t.m_strMaxMtu = "15";
    t.m_strMaxMss = "-25";
    std::string last = "15";
    EXPECT_EQ(c.verdict, UpdateMtuEdit(t, last, c.typed));
    EXPECT_EQ(c.mtu, t.m_strMaxMtu);
    EXPECT_EQ(c.mss, t.m_strMaxMss);
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
    TuningSettings t;
    t.m_strTtl = "128";
    std::string last = "128";
    EXPECT_EQ(c.verdict, UpdateTtlEdit(t, last, c.typed));
    EXPECT_EQ(c.ttl, t.m_strTtl);
    EXPECT_EQ(c.ttl, last);
    EXPECT_EQ("", t.m_strMaxMtu);  // the TTL edit touches nothing else
  }
}

TEST(CustomEditRule, CustomRadioTakesTheEditTextUnjudged) {
  TuningSettings t;
  StoreCustomMtu(t, " 576 ");
  EXPECT_EQ("576", t.m_strMaxMtu);
  EXPECT_EQ("536", t.m_strMaxMss);
  StoreCustomMtu(t, "");
  EXPECT_EQ("", t.m_strMaxMtu);
  EXPECT_EQ("", t.m_strMaxMss);
  StoreCustomTtl(t, "  7 ");
  EXPECT_EQ("7", t.m_strTtl);
  EXPECT_EQ("-40", MssForMtu("abc"));
}

// ---- Radio values ----

TEST(SettingRadios, EachFixedRadioStoresItsValueWhateverItsCaption) {
  const struct {
    int radio;
    std::string TuningSettings::*member;
    const char* value;
  } cases[] = {
      {IDC_MTU_DEFAULT, &TuningSettings::m_strMaxMtu, "1500"},
      {IDC_MTU_DEFAULT, &TuningSettings::m_strMaxMss, "1460"},
      {IDC_MTU_576, &TuningSettings::m_strMaxMtu, "576"},
      {IDC_MTU_576, &TuningSettings::m_strMaxMss, "536"},
      {IDC_RWIN_DEFAULT, &TuningSettings::m_strRwinMultiple, "x0"},
      {IDC_RWIN_X6, &TuningSettings::m_strRwinMultiple, "x6"},
      {IDC_TTL_DEFAULT, &TuningSettings::m_strTtl, "32"},
      {IDC_TTL_128, &TuningSettings::m_strTtl, "128"},
      {IDC_KEEPALIVE_DEFAULT, &TuningSettings::m_strKeepAlive, "60 min."},
      {IDC_KEEPALIVE_10, &TuningSettings::m_strKeepAlive, "10 min."},
      {IDC_NDI_DEFAULT, &TuningSettings::m_strNdiCache, "0"},
      {IDC_NDI_16, &TuningSettings::m_strNdiCache, "16"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radio);
    TuningSettings t;
    EXPECT_TRUE(StoreRadioValue(t, c.radio));
    EXPECT_EQ(c.value, t.*c.member);
  }
  TuningSettings t;
  for (int custom : {IDC_MTU_CUSTOM, IDC_RWIN_CUSTOM, IDC_TTL_CUSTOM, IDC_KEEPALIVE_CUSTOM,
                     IDC_NDI_CUSTOM, IDC_APPLY})
    EXPECT_FALSE(StoreRadioValue(t, custom));
  EXPECT_EQ("", t.m_strMaxMtu + t.m_strRwinMultiple + t.m_strTtl + t.m_strKeepAlive +
                    t.m_strNdiCache);
}

// ---- Mode choices ----
// (The captions and the dialog's texts are pinned where the user sees them,
// in the Wine suites.)

TEST(ManualChoices, TheRecommendedRadiosByTheChosenKind) {
  const struct {
    int mode;
    std::vector<int> recommended;
  } cases[] = {
      {ModeManualLan, {IDC_MTU_DEFAULT, IDC_RWIN_DEFAULT, IDC_TTL_DEFAULT, IDC_KEEPALIVE_DEFAULT}},
      {ModeManualDialUp, {IDC_MTU_576, IDC_RWIN_X6, IDC_TTL_128, IDC_KEEPALIVE_10}},
      {ModeManual, {IDC_MTU_576, IDC_RWIN_X6, IDC_TTL_128, IDC_KEEPALIVE_10}},
  };
  for (const auto& c : cases) {
    const int* r = ManualChoicesFor(c.mode).recommended;
    EXPECT_EQ(c.recommended, std::vector<int>(r, r + 4)) << c.mode;
  }
}

TEST(AutoModeDialog, IconByMode) {
  const struct {
    int mode;
    int icon;
  } cases[] = {{ModeAutoDialUp, 149}, {ModeAutoLan, 148}, {ModeManual, 147},
               // Modes the dialog never opens in fall back on the manual icon.
               {ModeManualLan, 147}, {ModeNone, 147}};
  for (const auto& c : cases) EXPECT_EQ(c.icon, AutoModeIconFor(c.mode)) << c.mode;
}

TEST(AutoModeDialog, OnlyOkOnAManualChoiceChangesTheMode) {
  const AdapterCensus none{false, false}, dialUp{true, false}, lan{false, true}, both{true, true};
  const struct {
    int mode;
    AdapterCensus census;
    bool ok, dialUpChosen;
    bool asks;
    int after;
  } cases[] = {
      {ModeManual, both, true, true, true, ModeManualDialUp},
      {ModeManual, both, true, false, true, ModeManualLan},
      {ModeManual, both, false, false, true, ModeManual},
      {ModeManual, dialUp, true, true, false, ModeManualDialUp},
      {ModeManual, none, true, true, false, ModeManualDialUp},
      // LAN adapters only: configured as LAN, or the Apply would write nothing.
      {ModeManual, lan, true, true, false, ModeManualLan},
      {ModeAutoLan, both, true, true, false, ModeAutoLan},
      {ModeAutoDialUp, lan, true, true, false, ModeAutoDialUp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.census.hasDialUp << c.census.hasLan
                                    << " ok " << c.ok);
    const bool asks = AsksAdapterQuestion(c.mode, c.census);
    EXPECT_EQ(c.asks, asks);
    AutoModeAnswer answer{c.ok, asks, c.dialUpChosen, true, c.census};
    EXPECT_EQ(c.after, ModeAfterDialog(c.mode, answer));
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
}

}  // namespace
}  // namespace vl
