// The automatic-mode dialog under Wine: its texts and icon by mode, the
// adapter question of manual mode, and what each way out of it leaves on the
// form.
#include <gtest/gtest.h>

#include "tests/e2e/form_helpers.h"

namespace e2e {
namespace {

class AutoModeDialog : public testing::Test {
 protected:
  void Start() {
    app = StartFormApp();
    ASSERT_NE(nullptr, app.form);
  }
  void TearDown() override { CloseFormApp(app); }

  // The captions and checked radios of the four groups that manual mode
  // chooses for, Dial-Up variant or LAN variant.
  void ExpectManualChoices(bool lan) {
    const struct {
      int id;
      const char* dialUpCaption;
      const char* lanCaption;
      bool checkedForDialUp;
    } rows[] = {
        {IDC_MTU_DEFAULT, "Windows Default", "Default  (Recommended)", false},
        {IDC_MTU_576, "576  (Recommended)", "576", true},
        {IDC_RWIN_DEFAULT, "Windows Default", "Default  (Recommended)", false},
        {IDC_RWIN_X6, "Multiple 6  (Recommended)", "Multiple 6", true},
        {IDC_TTL_DEFAULT, "Windows Default", "Default  (Recommended)", false},
        {IDC_TTL_128, "128  (Recommended)", "128", true},
        {IDC_KEEPALIVE_DEFAULT, "Windows Default", "60min. (Recommended)", false},
        {IDC_KEEPALIVE_10, "10min. (Recommended)", "10min.", true},
    };
    for (const auto& r : rows) {
      EXPECT_EQ(lan ? r.lanCaption : r.dialUpCaption, ItemText(app.form, r.id)) << r.id;
      EXPECT_EQ(lan != r.checkedForDialUp, IsChecked(app.form, r.id)) << r.id;
    }
    for (int id : {IDC_MTU_CUSTOM, IDC_RWIN_CUSTOM, IDC_TTL_CUSTOM, IDC_KEEPALIVE_CUSTOM})
      EXPECT_FALSE(IsChecked(app.form, id)) << id;
    EXPECT_TRUE(IsChecked(app.form, IDC_NDI_16));
    EXPECT_TRUE(IsChecked(app.form, IDC_PMTU_DISCOVERY));
    EXPECT_FALSE(IsChecked(app.form, IDC_PMTU_BLACKHOLE));
    EXPECT_TRUE(IsChecked(app.form, IDC_MODE_MANUAL));
  }

  FormApp app;
};

TEST_F(AutoModeDialog, TextsAndIconByMode) {
  ClearMachine();
  ASSERT_NO_FATAL_FAILURE(Start());
  const struct {
    int radio;
    const char* title;
    const char* mode;
    const char* info;
    const char* apply;
  } modes[] = {
      {IDC_MODE_DIALUP, kDialUpModeCaption,
       "You chose to use the Dial-Up Networking (Modem)\nAutomatically Configured mode.",
       "The program will perform some tests on your computer\nand will automatically optimize "
       "your Dial-Up configuration.",
       "In order to begin, all you have to do is to press the 'Apply'\nbutton which is located in "
       "the bottom of the screen."},
      {IDC_MODE_LAN, kLanModeCaption,
       "You chose to use the Local Area Networking (LAN)\nAutomatically Configured mode.",
       "The program will perform some tests on your computer\nand will automatically optimize "
       "your LAN configuration.",
       "In order to begin, all you have to do is to press the 'Apply'\nbutton which is located in "
       "bottom of the screen."},
      {IDC_MODE_MANUAL, kManualModeCaption,
       "You chose to use the Networking Performance\nManual Configured mode.",
       "Try various settings combinations and watch your\nInternet performance to find out which "
       "configuration\nsuits you best.",
       "After you finish to configure you will have to press the\n'Apply' button which is located "
       "in the bottom of the screen."},
  };
  std::vector<HICON> icons;
  for (const auto& m : modes) {
    SCOPED_TRACE(m.title);
    HWND dlg = OpenModeDialog(app, m.radio, m.title);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(m.mode, ItemText(dlg, IDC_AUTO_TEXT_MODE));
    EXPECT_EQ(m.info, ItemText(dlg, IDC_AUTO_TEXT_INFO));
    EXPECT_EQ(m.apply, ItemText(dlg, IDC_AUTO_TEXT_APPLY));
    EXPECT_FALSE(IsVisible(dlg, IDC_AUTO_ADAPTER_DIALUP));
    EXPECT_FALSE(IsVisible(dlg, IDC_AUTO_ADAPTER_LAN));
    EXPECT_EQ("&Help", ItemText(dlg, IDC_AUTO_HELP));
    DWORD style = GetWindowLongA(dlg, GWL_STYLE);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_MODALFRAME),
              style & (WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_SYSMENU));
    icons.push_back(reinterpret_cast<HICON>(
        SendMessageA(GetDlgItem(dlg, IDC_AUTO_ICON), STM_GETICON, 0, 0)));
    EXPECT_NE(nullptr, icons.back());
    ASSERT_TRUE(Answer(dlg, IDOK));
  }
  EXPECT_NE(icons[0], icons[1]);
  EXPECT_NE(icons[1], icons[2]);
  EXPECT_NE(icons[0], icons[2]);
}

TEST_F(AutoModeDialog, BothAdapterKindsBringTheQuestionAndItsAnswerDecides) {
  SeedWin98Machine();
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND dlg = OpenModeDialog(app, IDC_MODE_MANUAL, kManualModeCaption);
  ASSERT_NE(nullptr, dlg);
  EXPECT_EQ("Which adapter would you like to configure?", ItemText(dlg, IDC_AUTO_TEXT_INFO));
  EXPECT_TRUE(IsVisible(dlg, IDC_AUTO_ADAPTER_DIALUP));
  EXPECT_TRUE(IsVisible(dlg, IDC_AUTO_ADAPTER_LAN));
  EXPECT_TRUE(IsChecked(dlg, IDC_AUTO_ADAPTER_DIALUP));
  EXPECT_FALSE(IsChecked(dlg, IDC_AUTO_ADAPTER_LAN));
  EXPECT_EQ("Dial-Up Networking", ItemText(dlg, IDC_AUTO_ADAPTER_DIALUP));
  EXPECT_EQ("Local Area &Networking", ItemText(dlg, IDC_AUTO_ADAPTER_LAN));
  ASSERT_TRUE(Answer(dlg, IDOK));
  ASSERT_TRUE(IdlePass(app.frame));
  ExpectManualChoices(/*lan=*/false);

  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption, /*answerLan=*/true));
  ExpectManualChoices(/*lan=*/true);

  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption));
  ExpectManualChoices(/*lan=*/false);
}

TEST_F(AutoModeDialog, OneAdapterKindAsksNothingAndIsConfigured) {
  const struct {
    const char* removed;
    bool lan;
  } machines[] = {
      {"Enum\\Root\\Net\\0001", false},  // Dial-Up only
      {"Enum\\Root\\Net\\0000", true},   // LAN only: configured as LAN
  };
  for (const auto& m : machines) {
    SCOPED_TRACE(m.removed);
    SeedWin98Machine();
    DeleteTree(m.removed);
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND dlg = OpenModeDialog(app, IDC_MODE_MANUAL, kManualModeCaption);
    ASSERT_NE(nullptr, dlg);
    EXPECT_FALSE(IsVisible(dlg, IDC_AUTO_ADAPTER_DIALUP));
    EXPECT_NE("Which adapter would you like to configure?", ItemText(dlg, IDC_AUTO_TEXT_INFO));
    ASSERT_TRUE(Answer(dlg, IDOK));
    ASSERT_TRUE(IdlePass(app.frame));
    ExpectManualChoices(m.lan);
    CloseFormApp(app);
  }
}

TEST_F(AutoModeDialog, EscapeLeavesTheDialUpChoices) {
  SeedWin98Machine();
  ASSERT_NO_FATAL_FAILURE(Start());
  HWND dlg = OpenModeDialog(app, IDC_MODE_MANUAL, kManualModeCaption);
  ASSERT_NE(nullptr, dlg);
  PostMessageA(GetDlgItem(dlg, IDC_AUTO_ADAPTER_LAN), BM_CLICK, 0, 0);
  ASSERT_TRUE(PressEscape(dlg));
  ASSERT_TRUE(IdlePass(app.frame));
  ExpectManualChoices(/*lan=*/false);
}

}  // namespace
}  // namespace e2e
