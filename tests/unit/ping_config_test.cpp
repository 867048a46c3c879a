#include "ping/ping_config.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/fake_ping_controls.h"

namespace vl {
namespace {

class PingDialog : public ::testing::Test, public MemApp {
 protected:
  void Store(const std::string& mode, const std::string& host, int interval, int sound, int ani) {
    ASSERT_TRUE(WritePingSettings(app.m_settings, {mode, host, interval, sound, ani}));
  }
  std::string StoredText(const char* name) {
    return app.m_settings.ReadString("UndoRegular", name, "<absent>", true);
  }
  int StoredInt(const char* name) {
    return app.m_settings.ReadInt("UndoRegular", name, -1000, true);
  }
  bool NothingStored() {
    for (const char* name : {"PingMode", "PingHost", "PingInterval", "PingSound", "TaskBarAni"})
      if (StoredText(name) != "<absent>") return false;
    return true;
  }

  FakePingControls c;
  PingConfigRules rules{app, c};
};

const char kAutomaticShown[] = "          Automatic";

TEST_F(PingDialog, IntervalListRunsFromOneToSixtyMinutes) {
  std::vector<std::string> texts = PingIntervalTexts();
  ASSERT_EQ(60u, texts.size());
  EXPECT_EQ(" 1 minute.", texts[0]);
  EXPECT_EQ(" 2 minutes.", texts[1]);
  EXPECT_EQ(" 10 minutes.", texts[9]);
  EXPECT_EQ(" 60 minutes.", texts[59]);
}

TEST_F(PingDialog, NothingStoredOpensInAutomaticModeWithTheAnimationOn) {
  rules.Init();
  EXPECT_TRUE(c.IsChecked(IDC_PING_AUTO));
  EXPECT_FALSE(c.IsChecked(IDC_PING_MANUAL));
  EXPECT_FALSE(c.IsEnabled(IDC_PING_HOST));
  EXPECT_FALSE(c.IsEnabled(IDC_PING_INTERVAL));
  EXPECT_EQ(kAutomaticShown, c.GetText(IDC_PING_HOST));
  EXPECT_EQ(" 5 minutes.", c.Shown());
  EXPECT_FALSE(c.IsChecked(IDC_PING_SOUND));
  EXPECT_TRUE(c.IsChecked(IDC_PING_TASKBAR_ANI));
  EXPECT_EQ(IDC_PING_AUTO, c.focus);
}

struct StoredCase {
  const char* what;
  const char* mode;
  const char* host;
  int interval, sound, ani;
  bool manual;
  const char* hostShown;
  const char* listShown;
  bool soundChecked, aniChecked;
};

TEST_F(PingDialog, OpensWithTheStoredSettings) {
  const StoredCase cases[] = {
      {"manual", "Manual", "10.0.0.1", 2, 1, 0, true, "10.0.0.1", " 3 minutes.", true, false},
      {"unknown mode counts as manual", "Sometimes", "host.example", 0, 0, 1, true,
       "host.example", " 1 minute.", false, true},
      {"empty mode turns the animation on", "", "ignored", 30, 1, 0, false, kAutomaticShown,
       " 5 minutes.", true, true},
      {"automatic keeps the stored checks", "Automatic", "Automatic", 9, 1, 0, false,
       kAutomaticShown, " 5 minutes.", true, false},
      {"interval beyond the list", "Manual", "h", 75, 0, 0, true, "h", " 10 minutes.", false,
       false},
      {"negative interval", "Manual", "h", -1, 0, 2, true, "h", " 10 minutes.", false, true},
  };
  for (const StoredCase& k : cases) {
    SCOPED_TRACE(k.what);
    reg.RemoveKey(kSettingsKey);
    FakePingControls controls;
    PingConfigRules r(app, controls);
    ASSERT_NO_FATAL_FAILURE(Store(k.mode, k.host, k.interval, k.sound, k.ani));
    r.Init();
    EXPECT_EQ(k.manual, controls.IsChecked(IDC_PING_MANUAL));
    EXPECT_EQ(!k.manual, controls.IsChecked(IDC_PING_AUTO));
    EXPECT_EQ(k.manual, controls.IsEnabled(IDC_PING_HOST));
    EXPECT_EQ(k.manual, controls.IsEnabled(IDC_PING_INTERVAL));
    EXPECT_EQ(k.hostShown, controls.GetText(IDC_PING_HOST));
    EXPECT_EQ(k.listShown, controls.Shown());
    EXPECT_EQ(k.soundChecked, controls.IsChecked(IDC_PING_SOUND));
    EXPECT_EQ(k.aniChecked, controls.IsChecked(IDC_PING_TASKBAR_ANI));
  }
}

TEST_F(PingDialog, LargeFontsPadTheAutomaticWordWithMoreBlanks) {
  app.LargeFontLayout = true;
  rules.Init();
  EXPECT_EQ("              Automatic", c.GetText(IDC_PING_HOST));
}

// What OK stores: automatic mode its fixed values whatever the list shows,
// manual mode the host as typed and the selected index, or the ten-minute
// entry when none is selected; both the two check boxes.
TEST_F(PingDialog, OkStoresTheValuesOfTheMode) {
  const struct {
    const char* what;
    bool manual;
    const char* host;
    int selection;
    bool sound, ani;
    std::vector<std::string> texts;  // PingMode, PingHost
    std::vector<int> numbers;        // PingInterval, PingSound, TaskBarAni
  } cases[] = {
      {"automatic", false, nullptr, 2, true, false, {"Automatic", "Automatic"}, {9, 1, 0}},
      {"manual", true, "  10.0.0.1 ", 2, false, true, {"Manual", "  10.0.0.1 "}, {2, 0, 1}},
      {"manual without interval", true, "10.0.0.1", -1, false, true, {"Manual", "10.0.0.1"},
       {9, 0, 1}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    reg.RemoveKey(kSettingsKey);
    rules.Init();
    if (k.manual) {
      rules.OnManualClicked();
      c.SetText(IDC_PING_HOST, k.host);
    }
    c.selection = k.selection;
    c.SetCheck(IDC_PING_SOUND, k.sound);
    c.SetCheck(IDC_PING_TASKBAR_ANI, k.ani);
    ASSERT_TRUE(rules.OnOk(0));
    EXPECT_EQ(k.texts, (std::vector<std::string>{StoredText("PingMode"), StoredText("PingHost")}));
    EXPECT_EQ(k.numbers, (std::vector<int>{StoredInt("PingInterval"), StoredInt("PingSound"),
                                           StoredInt("TaskBarAni")}));
    EXPECT_TRUE(boxes.shown.empty());
  }
  // Stored scrambled only: a plain read finds nothing.
  EXPECT_EQ("<absent>", app.m_settings.ReadString("UndoRegular", "PingMode", "<absent>", false));
}

TEST_F(PingDialog, ValuesAreWrittenInTheCompanionsOrder) {
  rules.Init();
  reg.ClearCalls();
  ASSERT_TRUE(rules.OnOk(0));
  std::vector<std::string> names;
  for (const RegCall& call : reg.Calls())
    if (call.op == RegOp::Set) names.push_back(Unscramble(call.name));
  EXPECT_EQ((std::vector<std::string>{"PingMode", "PingHost", "PingInterval", "PingSound",
                                      "TaskBarAni"}),
            names);
}

TEST_F(PingDialog, BlankHostIsRefusedWithTheMessageAndNothingIsStored) {
  for (const char* host : {"", "   ", " \t "}) {
    SCOPED_TRACE(std::string("host '") + host + "'");
    boxes.shown.clear();
    rules.Init();
    rules.OnManualClicked();
    c.SetText(IDC_PING_HOST, host);
    EXPECT_FALSE(rules.OnOk(0x1234));
    const ShownBox refusal{0x1234, PingHostMessage(), "Velora 2001", kMbOk | kMbIconExclamation};
    EXPECT_EQ(std::vector<ShownBox>{refusal}, boxes.shown);
    EXPECT_TRUE(NothingStored());
    EXPECT_EQ(host, c.GetText(IDC_PING_HOST));
  }
}

// OK that closed after a refused write would leave the companion on settings
// the user believes replaced: the dialog stays open and says so, whichever
// of the five values was refused.
TEST_F(PingDialog, ARefusedWriteKeepsTheDialogOpenAndSaysSo) {
  for (const char* refused : {"PingMode", "PingHost", "PingInterval", "PingSound", "TaskBarAni"}) {
    SCOPED_TRACE(refused);
    reg.RemoveKey(kSettingsKey);
    boxes.shown.clear();
    const std::string name = Scramble(refused, false);
    reg.fault = [&](const RegCall& call) {
      return call.op == RegOp::Set && call.name == name ? kErrorAccessDenied : 0;
    };
    rules.Init();
    EXPECT_FALSE(rules.OnOk(0x1234));
    const ShownBox told{0x1234,
                        "The ping settings could not be fully stored.\n"
                        "Some values could not be changed in the registry.\n\n"
                        "Please log on as an administrator and press OK again.",
                        "Velora 2001", kMbOk | kMbIconExclamation};
    EXPECT_EQ(std::vector<ShownBox>{told}, boxes.shown);
    const bool lastRefused = std::string(refused) == "TaskBarAni";
    EXPECT_EQ(lastRefused ? -1000 : 1, StoredInt("TaskBarAni"))
        << "the values after the refused one are still tried";
  }
}

TEST_F(PingDialog, AHostLongerThanTheFieldAllowsIsCutToFitTheStore) {
  rules.Init();
  rules.OnManualClicked();
  c.SetText(IDC_PING_HOST, std::string(600, 'h'));
  ASSERT_TRUE(rules.OnOk(0));
  EXPECT_EQ(std::string(255, 'h'), StoredText("PingHost"));
}

TEST_F(PingDialog, ManualClickAlwaysEmptiesTheHostAndKeepsTheInterval) {
  ASSERT_NO_FATAL_FAILURE(Store("Manual", "10.0.0.1", 2, 0, 0));
  rules.Init();
  rules.OnManualClicked();
  EXPECT_EQ("", c.GetText(IDC_PING_HOST));
  EXPECT_EQ(" 3 minutes.", c.Shown());
}

TEST_F(PingDialog, TypingIntoTheIntervalFieldBringsBackAListEntry) {
  rules.Init();
  rules.OnManualClicked();
  c.selection = 6;
  rules.OnIntervalEdited();
  EXPECT_EQ(6, c.selection);
  c.selection = -1;
  rules.OnIntervalEdited();
  EXPECT_EQ(" 10 minutes.", c.Shown());
}

TEST_F(PingDialog, DefaultsGoBackToAutomaticWithoutStoring) {
  ASSERT_NO_FATAL_FAILURE(Store("Manual", "10.0.0.1", 2, 1, 0));
  rules.Init();
  rules.OnDefaults();
  EXPECT_TRUE(c.IsChecked(IDC_PING_AUTO));
  EXPECT_FALSE(c.IsChecked(IDC_PING_MANUAL));
  EXPECT_FALSE(c.IsEnabled(IDC_PING_HOST));
  EXPECT_EQ(kAutomaticShown, c.GetText(IDC_PING_HOST));
  EXPECT_EQ(" 5 minutes.", c.Shown());
  EXPECT_FALSE(c.IsChecked(IDC_PING_SOUND));
  EXPECT_TRUE(c.IsChecked(IDC_PING_TASKBAR_ANI));
  EXPECT_EQ("Manual", StoredText("PingMode"));
}

TEST_F(PingDialog, DefaultsInAutomaticModeDoNotRunTheModeStepsAgain) {
  rules.Init();
  // A checked radio that gets the focus reports no click.
  c.SetText(IDC_PING_HOST, "kept");
  c.selection = 7;
  rules.OnDefaults();
  EXPECT_EQ("kept", c.GetText(IDC_PING_HOST));
  EXPECT_EQ(7, c.selection);
  EXPECT_EQ(IDC_PING_AUTO, c.focus);
}

TEST_F(PingDialog, HelpOpensThePingTopic) {
  Install();
  files.AddFile("C:\\Velora\\help\\ping.htm", "");
  rules.OnHelp();
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("file:///C:/Velora/help/ping.htm", shell.calls[0].file);
}

}  // namespace
}  // namespace vl
