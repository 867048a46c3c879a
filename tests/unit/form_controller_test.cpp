// The form's behaviour on a stand-in window: modes, the automatic-mode
// dialog's outcome, the manual radios, the custom edits and the lists.
#include <gtest/gtest.h>

#include <algorithm>

#include "form/manual_rules.h"
#include "tests/unit/kit/fake_form.h"

namespace vl {
namespace {

struct Values {
  std::string mtu, mss, rwin, ttl, keepAlive, ndi;
  bool operator==(const Values& o) const {
    return mtu == o.mtu && mss == o.mss && rwin == o.rwin && ttl == o.ttl &&
           keepAlive == o.keepAlive && ndi == o.ndi;
  }
};
std::ostream& operator<<(std::ostream& os, const Values& v) {
  return os << v.mtu << "/" << v.mss << "/" << v.rwin << "/" << v.ttl << "/" << v.keepAlive << "/"
            << v.ndi;
}
Values Stored(const AppState& a) {
  const TuningSettings& t = a.m_tuning;
  return {t.m_strMaxMtu, t.m_strMaxMss, t.m_strRwinMultiple, t.m_strTtl, t.m_strKeepAlive,
          t.m_strNdiCache};
}

const Values kDialUpValues{"576", "536", "x6", "128", "10 min.", "16"};
const Values kLanValues{"1500", "1460", "x4", "32", "60 min.", "16"};
const Values kManualLanValues{"1500", "1460", "x0", "32", "60 min.", "16"};

const int kSettingControls[] = {
    IDC_MTU_DEFAULT,     IDC_MTU_576,        IDC_MTU_CUSTOM,       IDC_MTU_EDIT,
    IDC_RWIN_DEFAULT,    IDC_RWIN_X6,        IDC_RWIN_CUSTOM,      IDC_RWIN_COMBO,
    IDC_TTL_DEFAULT,     IDC_TTL_128,        IDC_TTL_CUSTOM,       IDC_TTL_EDIT,
    IDC_KEEPALIVE_DEFAULT, IDC_KEEPALIVE_10, IDC_KEEPALIVE_CUSTOM, IDC_KEEPALIVE_COMBO,
    IDC_NDI_DEFAULT,     IDC_NDI_16,         IDC_NDI_CUSTOM,       IDC_NDI_COMBO,
    IDC_PMTU_DISCOVERY,  IDC_PMTU_BLACKHOLE,
};

class FormModeChoice : public testing::Test {
 protected:
  FormBench b;
  FakeFormWindow& w = b.window;
  AppState& app = b.app;

  std::vector<int> Checked() {
    std::vector<int> ids;
    for (auto& [id, control] : w.c)
      if (control.checked) ids.push_back(id);
    return ids;
  }
  void ExpectSettingsEnabled(bool enabled) {
    for (int id : kSettingControls) {
      bool partnerOfUncheckedCustom =
          (id == IDC_MTU_EDIT && !w.c[IDC_MTU_CUSTOM].checked) ||
          (id == IDC_RWIN_COMBO && !w.c[IDC_RWIN_CUSTOM].checked) ||
          (id == IDC_TTL_EDIT && !w.c[IDC_TTL_CUSTOM].checked) ||
          (id == IDC_KEEPALIVE_COMBO && !w.c[IDC_KEEPALIVE_CUSTOM].checked) ||
          (id == IDC_NDI_COMBO && !w.c[IDC_NDI_CUSTOM].checked);
      EXPECT_EQ(enabled && !partnerOfUncheckedCustom, w.c[id].enabled) << id;
    }
    for (int id : kHelpLinks) EXPECT_EQ(enabled, w.c[id].enabled) << id;
  }
};

TEST_F(FormModeChoice, DialUpThenLanLeavesLanValuesAndKeepsTheDisabledMarks) {
  w.dialogAnswer = FakeFormWindow::Asked(/*dialUp=*/false);
  w.Click(IDC_MODE_MANUAL);
  w.Click(IDC_TTL_CUSTOM);
  w.Type(IDC_TTL_EDIT, "64");
  std::vector<int> manualMarks = Checked();

  w.Click(IDC_MODE_DIALUP);
  EXPECT_EQ(ModeAutoDialUp, app.m_nConfigMode);
  EXPECT_EQ(kDialUpValues, Stored(app));
  w.Click(IDC_MODE_LAN);
  EXPECT_EQ(ModeAutoLan, app.m_nConfigMode);
  EXPECT_EQ(kDescAutoLan, app.m_strActiveConfig);
  EXPECT_EQ(kLanValues, Stored(app));
  EXPECT_EQ((std::vector<int>{ModeManual, ModeAutoDialUp, ModeAutoLan}), w.dialogs);

  // The setting marks stay as manual mode left them; only the mode radios moved.
  std::vector<int> expected;
  for (int id : manualMarks)
    if (id != IDC_MODE_MANUAL) expected.push_back(id);
  expected.push_back(IDC_MODE_LAN);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, Checked());
  EXPECT_EQ("64", w.c[IDC_TTL_EDIT].text);
  ExpectSettingsEnabled(false);
}

// The dialog's answer, or the census it took, decides the kind of adapter.
TEST_F(FormModeChoice, ManualModeByCensusAndAnswer) {
  const int lanRadios[5] = {IDC_MTU_DEFAULT, IDC_RWIN_DEFAULT, IDC_TTL_DEFAULT,
                            IDC_KEEPALIVE_DEFAULT, IDC_NDI_16};
  const int dialUpRadios[5] = {IDC_MTU_576, IDC_RWIN_X6, IDC_TTL_128, IDC_KEEPALIVE_10,
                               IDC_NDI_16};
  const struct {
    const char* what;
    AutoModeAnswer answer;
    int mode;
    bool lan;
  } cases[] = {
      {"both kinds, LAN chosen", FakeFormWindow::Asked(false), ModeManualLan, true},
      {"both kinds, Dial-Up chosen", FakeFormWindow::Asked(true), ModeManualDialUp, false},
      {"Dial-Up only", FakeFormWindow::Ok({true, false}), ModeManualDialUp, false},
      {"no adapter", FakeFormWindow::Ok({false, false}), ModeManualDialUp, false},
      {"LAN only", FakeFormWindow::Ok({false, true}), ModeManualLan, true},
      {"Escape", FakeFormWindow::Escape(), ModeManual, false},
  };
  for (const auto& c : cases) {
    for (const bool windowsRule : {false, true}) {
      SCOPED_TRACE(std::string(c.what) + (windowsRule ? ", the focus clicks" : ""));
      FormBench bench;
      FakeFormWindow& fw = bench.window;
      fw.dialogAnswer = c.answer;
      fw.focusClicksRadio = windowsRule;
      fw.Click(IDC_MODE_MANUAL);
      EXPECT_EQ((std::vector<int>{ModeManual}), fw.dialogs);
      EXPECT_EQ(c.mode, bench.app.m_nConfigMode);
      EXPECT_EQ(c.answer.census.hasDialUp, bench.app.m_bHasDialUpAdapter);
      EXPECT_EQ(c.answer.census.hasLan, bench.app.m_bHasLanAdapter);
      EXPECT_EQ(kDescManual, bench.app.m_strActiveConfig);
      EXPECT_EQ(c.lan ? kManualLanValues : kDialUpValues, Stored(bench.app));
      for (int id : c.lan ? lanRadios : dialUpRadios) EXPECT_TRUE(fw.c[id].checked) << id;
      const ManualChoices& captions = ManualChoicesFor(c.lan ? ModeManualLan : ModeManualDialUp);
      EXPECT_EQ(captions.mtuDefault, fw.c[IDC_MTU_DEFAULT].text);
      EXPECT_EQ(captions.keepAlive10, fw.c[IDC_KEEPALIVE_10].text);
      EXPECT_TRUE(fw.c[IDC_PMTU_DISCOVERY].checked);
      EXPECT_FALSE(fw.c[IDC_PMTU_BLACKHOLE].checked);
      EXPECT_TRUE(fw.c[IDC_MODE_MANUAL].checked);
      EXPECT_EQ(IDC_APPLY, fw.focus);
    }
  }
}

TEST_F(FormModeChoice, ManualEnablesTheSettingsAndTheRecommendedChoicesLockTheirPartners) {
  w.Click(IDC_MODE_MANUAL);
  w.Click(IDC_RWIN_CUSTOM);
  w.Click(IDC_MODE_DIALUP);
  ExpectSettingsEnabled(false);
  w.Click(IDC_MODE_MANUAL);
  // Re-entering chooses x6 again, which locks the list once more.
  ExpectSettingsEnabled(true);
  EXPECT_FALSE(w.c[IDC_RWIN_COMBO].enabled);

  w.Click(IDC_MTU_CUSTOM);
  w.Click(IDC_MODE_LAN);
  w.Click(IDC_MODE_MANUAL);
  EXPECT_FALSE(w.c[IDC_MTU_EDIT].enabled);
  for (int id : kHelpLinks) EXPECT_TRUE(w.c[id].visible);
}

// Re-entering manual mode finds its recommended radios already checked; the
// values an automatic mode stored meanwhile must not survive behind them.
TEST_F(FormModeChoice, ReenteringManualStoresWhatTheCheckedRadiosShow) {
  w.dialogAnswer = FakeFormWindow::Asked(/*dialUp=*/true);
  w.Click(IDC_MODE_MANUAL);
  w.Click(IDC_MODE_LAN);
  ASSERT_EQ(kLanValues, Stored(app));
  w.Click(IDC_MODE_MANUAL);
  EXPECT_EQ(ModeManualDialUp, app.m_nConfigMode);
  EXPECT_EQ(kDialUpValues, Stored(app));

  w.dialogAnswer = FakeFormWindow::Asked(/*dialUp=*/false);
  w.Click(IDC_MODE_MANUAL);
  w.Click(IDC_MODE_DIALUP);
  w.Click(IDC_MODE_MANUAL);
  EXPECT_EQ(kManualLanValues, Stored(app));
}

// On Windows, where the focus itself clicks an unchecked radio, and on Wine,
// where it does not, alike: one click per caption that changes the mode.
TEST_F(FormModeChoice, ACaptionActsOnlyWhenItsModeIsNotChecked) {
  for (const bool windowsRule : {false, true}) {
    SCOPED_TRACE(windowsRule ? "the focus clicks" : "the focus does not click");
    FormBench bench;
    FakeFormWindow& fw = bench.window;
    fw.focusClicksRadio = windowsRule;
    fw.Click(IDC_CAPTION_DIALUP);
    EXPECT_EQ(ModeAutoDialUp, bench.app.m_nConfigMode);
    fw.Click(IDC_CAPTION_DIALUP);
    EXPECT_EQ(1u, fw.dialogs.size());
    fw.Click(IDC_CAPTION_LAN);
    EXPECT_EQ(ModeAutoLan, bench.app.m_nConfigMode);
    fw.Click(IDC_CAPTION_MANUAL);
    fw.Click(IDC_CAPTION_MANUAL);
    EXPECT_EQ((std::vector<int>{ModeAutoDialUp, ModeAutoLan, ModeManual}), fw.dialogs);
    // The radio itself always runs its handler, dialog included.
    fw.Click(IDC_MODE_MANUAL);
    EXPECT_EQ(4u, fw.dialogs.size());
    EXPECT_EQ(IDC_APPLY, fw.focus) << "manual mode leaves the focus on Apply";
  }
}

TEST_F(FormModeChoice, ApplyButtonOnlyAsksForTheApply) {
  EXPECT_TRUE(b.form.OnCommand(IDC_APPLY, kBnClicked));
  EXPECT_TRUE(app.m_bApplyPending);
  EXPECT_EQ(ApplyOrigin::FormButton, app.m_eApplyOrigin);
  EXPECT_EQ(ModeNone, app.m_nConfigMode);
  EXPECT_FALSE(b.form.OnCommand(IDC_FORM_PROGRESS, kBnClicked));
  EXPECT_FALSE(b.form.OnCommand(IDC_APPLY, kEnUpdate));
}

// ---- Manual controls ----

class FormManualControls : public FormModeChoice {
 protected:
  void SetUp() override {
    w.Click(IDC_MODE_MANUAL);
    ASSERT_EQ(ModeManualDialUp, app.m_nConfigMode);
  }
};

TEST_F(FormManualControls, ARadioChecksItselfAloneInItsGroupAndLocksOrUnlocksItsPartner) {
  w.Click(IDC_RWIN_CUSTOM);
  EXPECT_TRUE(w.c[IDC_RWIN_CUSTOM].checked);
  EXPECT_FALSE(w.c[IDC_RWIN_X6].checked);
  EXPECT_FALSE(w.c[IDC_RWIN_DEFAULT].checked);
  EXPECT_TRUE(w.c[IDC_RWIN_COMBO].enabled);
  EXPECT_EQ(IDC_RWIN_COMBO, w.focus);
  EXPECT_EQ("x6", app.m_tuning.m_strRwinMultiple);  // the list's text
  EXPECT_TRUE(w.c[IDC_MTU_576].checked);    // other groups untouched

  w.Click(IDC_RWIN_DEFAULT);
  EXPECT_FALSE(w.c[IDC_RWIN_COMBO].enabled);
  EXPECT_FALSE(w.c[IDC_RWIN_CUSTOM].checked);
  EXPECT_EQ("x0", app.m_tuning.m_strRwinMultiple);

  w.PickItem(IDC_KEEPALIVE_COMBO, 29);
  w.Click(IDC_KEEPALIVE_CUSTOM);
  EXPECT_EQ("30 min.", app.m_tuning.m_strKeepAlive);
  // Choosing another item afterwards tells the form nothing.
  w.PickItem(IDC_KEEPALIVE_COMBO, 4);
  EXPECT_EQ("30 min.", app.m_tuning.m_strKeepAlive);

  w.PickItem(IDC_NDI_COMBO, 6);
  w.Click(IDC_NDI_CUSTOM);
  EXPECT_EQ("64", app.m_tuning.m_strNdiCache);
  w.Click(IDC_NDI_DEFAULT);
  EXPECT_EQ("0", app.m_tuning.m_strNdiCache);
}

TEST_F(FormManualControls, TypedMtuIsStoredWithItsMss) {
  w.Click(IDC_MTU_CUSTOM);
  EXPECT_TRUE(w.c[IDC_MTU_EDIT].enabled);
  EXPECT_EQ(IDC_MTU_EDIT, w.focus);
  EXPECT_EQ("", app.m_tuning.m_strMaxMtu);  // the empty edit's text

  w.Type(IDC_MTU_EDIT, "1500");
  EXPECT_EQ("1500", app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("1460", app.m_tuning.m_strMaxMss);
  w.Type(IDC_MTU_EDIT, " 576 ");
  EXPECT_EQ("576", app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("536", app.m_tuning.m_strMaxMss);
  EXPECT_EQ(" 576 ", w.c[IDC_MTU_EDIT].text);
  EXPECT_TRUE(b.boxes.shown.empty());

  w.Click(IDC_MTU_DEFAULT);
  EXPECT_EQ("1500", app.m_tuning.m_strMaxMtu);
  EXPECT_FALSE(w.c[IDC_MTU_EDIT].enabled);
  EXPECT_EQ(" 576 ", w.c[IDC_MTU_EDIT].text);
  w.Click(IDC_MTU_CUSTOM);
  EXPECT_EQ("576", app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("536", app.m_tuning.m_strMaxMss);

  w.Type(IDC_MTU_EDIT, "");
  EXPECT_EQ("", app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("", app.m_tuning.m_strMaxMss);
}

TEST_F(FormManualControls, ALetterPutsTheLastNumberBackWithOneBox) {
  w.Click(IDC_MTU_CUSTOM);
  w.Type(IDC_MTU_EDIT, "1");
  w.Type(IDC_MTU_EDIT, "15");
  std::vector<std::string> seenWhenShown;
  b.boxes.onShow = [&](const ShownBox&) {
    seenWhenShown = {w.c[IDC_MTU_EDIT].text, app.m_tuning.m_strMaxMtu, app.m_tuning.m_strMaxMss};
  };
  w.Type(IDC_MTU_EDIT, "15a");
  ASSERT_EQ(1u, b.boxes.shown.size());
  EXPECT_EQ(kInvalidNumber, b.boxes.shown[0].text);
  EXPECT_EQ("Velora 2001", b.boxes.shown[0].caption);
  EXPECT_EQ(kMbOk | kMbIconExclamation, b.boxes.shown[0].style);
  EXPECT_EQ(w.Handle(), b.boxes.shown[0].owner);
  // The text was back before the box came up.
  EXPECT_EQ((std::vector<std::string>{"15", "15", "-25"}), seenWhenShown);
  EXPECT_EQ("15", w.c[IDC_MTU_EDIT].text);
  EXPECT_EQ("15", app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("-25", app.m_tuning.m_strMaxMss);
}

TEST_F(FormManualControls, ASixthDigitIsTakenBackQuietlyInBothEdits) {
  w.Click(IDC_MTU_CUSTOM);
  w.Type(IDC_MTU_EDIT, "12345");
  w.Type(IDC_MTU_EDIT, "123456");
  EXPECT_EQ("12345", w.c[IDC_MTU_EDIT].text);
  EXPECT_EQ("12345", app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("12305", app.m_tuning.m_strMaxMss);

  w.Click(IDC_TTL_CUSTOM);
  w.Type(IDC_TTL_EDIT, "99999");
  w.Type(IDC_TTL_EDIT, "999990");
  EXPECT_EQ("99999", w.c[IDC_TTL_EDIT].text);
  EXPECT_EQ("99999", app.m_tuning.m_strTtl);
  w.Type(IDC_TTL_EDIT, "9-");
  EXPECT_EQ("99999", w.c[IDC_TTL_EDIT].text);
  EXPECT_EQ(1u, b.boxes.shown.size());
  w.Type(IDC_TTL_EDIT, "");
  EXPECT_EQ("", app.m_tuning.m_strTtl);
}

TEST_F(FormManualControls, TypingIntoAListIsUndone) {
  w.PickItem(IDC_RWIN_COMBO, 2);
  w.Click(IDC_RWIN_CUSTOM);
  w.Type(IDC_RWIN_COMBO, "x8z");
  EXPECT_EQ("x8", w.c[IDC_RWIN_COMBO].text);
  EXPECT_EQ("x8", app.m_tuning.m_strRwinMultiple);
  EXPECT_EQ(2, w.c[IDC_RWIN_COMBO].selection);

  // With no item selected the stored value goes back into the field.
  w.Click(IDC_KEEPALIVE_CUSTOM);
  w.c[IDC_KEEPALIVE_COMBO].selection = -1;
  w.Type(IDC_KEEPALIVE_COMBO, "3");
  EXPECT_EQ("10 min.", w.c[IDC_KEEPALIVE_COMBO].text);
  EXPECT_EQ("10 min.", app.m_tuning.m_strKeepAlive);
}

}  // namespace
}  // namespace vl
