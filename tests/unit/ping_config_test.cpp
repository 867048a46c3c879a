#include "ping/ping_config.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/mem/mem_registry.h"
#include "platform/mem/mem_system.h"
#include "res/resource.h"

namespace vl {
namespace {

// The dialog's controls as plain state, starting as the template leaves them:
// nothing checked, host field and list disabled.
class FakePingControls : public IPingControls {
 public:
  bool IsChecked(int id) const override { return Get(checked, id); }
  void SetCheck(int id, bool on) override { checked[id] = on; }
  void Enable(int id, bool on) override { enabled[id] = on; }
  std::string GetText(int id) const override {
    auto it = text.find(id);
    return it == text.end() ? std::string() : it->second;
  }
  void SetText(int id, const std::string& t) override { text[id] = t; }
  void FillList(int, const std::vector<std::string>& items) override { list = items; }
  int GetSelection(int) const override { return selection; }
  void SetSelection(int, int index) override {
    selection = index >= 0 && index < static_cast<int>(list.size()) ? index : -1;
  }
  void SetFocus(int id) override { focus = id; }

  bool IsEnabled(int id) const { return Get(enabled, id); }
  std::string Shown() const { return selection < 0 ? "<none>" : list[selection]; }

  std::map<int, bool> checked, enabled;
  std::map<int, std::string> text;
  std::vector<std::string> list;
  int selection = -1;
  int focus = 0;

 private:
  static bool Get(const std::map<int, bool>& m, int id) {
    auto it = m.find(id);
    return it != m.end() && it->second;
  }
};

class PingDialog : public ::testing::Test {
 protected:
  PingDialog() {
    app.sys.registry = &reg;
    app.sys.boxes = &boxes;
    app.sys.shell = &shell;
    app.m_settings.Attach(&reg);
    app.m_settings.SetBaseKey("SOFTWARE\\Norwick Ltd\\Velora 2001");
    app.m_strProductName = "Velora 2001";
  }

  void Store(const std::string& mode, const std::string& host, int interval, int sound, int ani) {
    app.m_settings.WriteString("UndoRegular", "PingMode", mode, true);
    app.m_settings.WriteString("UndoRegular", "PingHost", host, true);
    app.m_settings.WriteInt("UndoRegular", "PingInterval", interval, true);
    app.m_settings.WriteInt("UndoRegular", "PingSound", sound, true);
    app.m_settings.WriteInt("UndoRegular", "TaskBarAni", ani, true);
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

  MemRegistry reg;
  MemMessageBoxes boxes;
  MemShell shell;
  AppState app;
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
    MemRegistry fresh;
    app.sys.registry = &fresh;
    app.m_settings.Attach(&fresh);
    FakePingControls controls;
    PingConfigRules r(app, controls);
    Store(k.mode, k.host, k.interval, k.sound, k.ani);
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

TEST_F(PingDialog, OkInAutomaticModeStoresTheFixedValuesWhateverTheListShows) {
  rules.Init();
  c.SetCheck(IDC_PING_SOUND, true);
  c.SetCheck(IDC_PING_TASKBAR_ANI, false);
  ASSERT_TRUE(rules.OnOk(0));
  EXPECT_EQ("Automatic", StoredText("PingMode"));
  EXPECT_EQ("Automatic", StoredText("PingHost"));
  EXPECT_EQ(9, StoredInt("PingInterval"));
  EXPECT_EQ(1, StoredInt("PingSound"));
  EXPECT_EQ(0, StoredInt("TaskBarAni"));
  EXPECT_TRUE(boxes.shown.empty());
  // Stored scrambled only: a plain read finds nothing.
  EXPECT_EQ("<absent>", app.m_settings.ReadString("UndoRegular", "PingMode", "<absent>", false));
}

TEST_F(PingDialog, OkInManualModeStoresTheHostAsTypedAndTheSelectedIndex) {
  rules.Init();
  rules.OnManualClicked();
  c.SetText(IDC_PING_HOST, "  10.0.0.1 ");
  c.SetSelection(IDC_PING_INTERVAL, 2);
  ASSERT_TRUE(rules.OnOk(0));
  EXPECT_EQ("Manual", StoredText("PingMode"));
  EXPECT_EQ("  10.0.0.1 ", StoredText("PingHost"));
  EXPECT_EQ(2, StoredInt("PingInterval"));
  EXPECT_EQ(0, StoredInt("PingSound"));
  EXPECT_EQ(1, StoredInt("TaskBarAni"));
}

TEST_F(PingDialog, OkWithoutAnIntervalSelectedStoresTheTenMinuteEntry) {
  rules.Init();
  rules.OnManualClicked();
  c.SetText(IDC_PING_HOST, "10.0.0.1");
  c.selection = -1;
  ASSERT_TRUE(rules.OnOk(0));
  EXPECT_EQ(9, StoredInt("PingInterval"));
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
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_EQ("Please choose a valid Ping Host.\nExample:  www.norwick.example ",
              boxes.shown[0].text);
    EXPECT_EQ("Velora 2001", boxes.shown[0].caption);
    EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[0].style);
    EXPECT_EQ(0x1234u, boxes.shown[0].owner);
    EXPECT_TRUE(NothingStored());
    EXPECT_EQ(host, c.GetText(IDC_PING_HOST));
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
  Store("Manual", "10.0.0.1", 2, 0, 0);
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
  Store("Manual", "10.0.0.1", 2, 1, 0);
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
  MemFiles files;
  files.AddFile("C:\\Velora\\help\\ping.htm", "");
  app.sys.files = &files;
  reg.PutSz("HKLM\\SOFTWARE\\Norwick Ltd\\Velora 2001\\Install", "Folder", "C:\\Velora");
  rules.OnHelp();
  ASSERT_EQ(1u, shell.calls.size());
  EXPECT_EQ("file:///C:/Velora/help/ping.htm", shell.calls[0].file);
}

}  // namespace
}  // namespace vl
