// The form under Wine: its start-up state, the modes, and the manual
// controls with their checks.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/form_helpers.h"

namespace e2e {
namespace {

struct TemplateControl {
  int id;
  const char* cls;
  DWORD style;
  int x, y, w, h;
  const char* text;  // null: not compared (icons)
};

// The template in z-order, as the program creates it.
const TemplateControl kFormControls[] = {
    {-1, "Button", 0x50000107, 10, 55, 121, 82, "MTU (Maximum Transmission Unit)"},
    {IDC_HELP_BUTTON, "Button", 0x50000000, 237, 196, 44, 14, "&Help"},
    {IDC_APPLY, "Button", 0x50000001, 116, 196, 44, 14, "&Apply"},
    {IDC_MODE_DIALUP, "Button", 0x50002404, 23, 23, 107, 10, "&Dial-Up Networking (Modem)"},
    {-1, "Button", 0x50000007, 116, 145, 166, 43, "PMTU (Path Maximum Transmission Unit)"},
    {IDC_HELP_MTU, "Static", 0x58000000, 35, 120, 72, 8, "HELP!  What is MTU?"},
    {-1, "Button", 0x50000107, 265, 55, 121, 82, "TTL (Time To Live)"},
    {IDC_MTU_DEFAULT, "Button", 0x58000004, 24, 71, 102, 10, "Windows Default"},
    {IDC_MTU_576, "Button", 0x58000004, 24, 86, 84, 10, "576  (Recommended)"},
    {IDC_MTU_CUSTOM, "Button", 0x58000004, 24, 101, 39, 10, "Custom"},
    {IDC_MTU_EDIT, "Edit", 0x58800080, 66, 100, 51, 11, ""},
    {-1, "Button", 0x50000107, 138, 55, 121, 82, "RWIN (Receive Window)"},
    {IDC_RWIN_DEFAULT, "Button", 0x58000004, 150, 71, 104, 10, "Windows Default"},
    {IDC_RWIN_X6, "Button", 0x58000004, 150, 86, 102, 10, "Multiple 6  (Recommended)"},
    {IDC_RWIN_CUSTOM, "Button", 0x58000004, 150, 101, 39, 10, "Custom"},
    {IDC_TTL_EDIT, "Edit", 0x58800080, 321, 100, 51, 11, ""},
    {IDC_HELP_TTL, "Static", 0x58000000, 293, 120, 69, 8, "HELP!  What is TTL?"},
    {IDC_HELP_RWIN, "Static", 0x58000000, 161, 120, 76, 8, "HELP!  What is RWIN?"},
    {IDC_TTL_DEFAULT, "Button", 0x58000004, 280, 71, 99, 10, "Windows Default"},
    {IDC_TTL_128, "Button", 0x58000004, 280, 86, 84, 10, "128  (Recommended)"},
    {IDC_TTL_CUSTOM, "Button", 0x58000004, 280, 101, 39, 10, "Custom"},
    {IDC_MODE_MANUAL, "Button", 0x50002404, 281, 23, 94, 11, "Networking &Performance"},
    {-1, "Button", 0x50000007, 12, 145, 99, 69, "Session Keep Alive"},
    {IDC_PMTU_DISCOVERY, "Button", 0x58002403, 123, 162, 78, 18,
     "Auto Discovery\n      (Recommended)"},
    {IDC_PMTU_BLACKHOLE, "Button", 0x58000003, 205, 162, 70, 10, "Black Hole Detect"},
    {IDC_FORM_PROGRESS, "msctls_progress32", 0x40800000, 24, 1, 6, 10, "Progress1"},
    {IDC_KEEPALIVE_DEFAULT, "Button", 0x58000004, 19, 159, 89, 10, "Windows Default"},
    {IDC_KEEPALIVE_CUSTOM, "Button", 0x58000004, 19, 195, 39, 10, "Custom"},
    {IDC_RWIN_COMBO, "ComboBox", 0x58200002, 192, 100, 52, 46, "x6"},
    {IDC_KEEPALIVE_COMBO, "ComboBox", 0x58200002, 61, 194, 39, 53, "10 min."},
    {-1, "Button", 0x50000307, 10, 6, 376, 41,
     "Modifiy your computer settings in order to improve your Windows networking performance "},
    {-1, "Static", 0x50020000, 3, 45, 392, 8, ""},
    {IDC_MODE_LAN, "Button", 0x50002404, 152, 23, 108, 11, "Local Area &Networking (LAN)"},
    {-1, "Static", 0x50000803, 247, 34, 20, 20, nullptr},
    {-1, "Static", 0x50000803, 117, 34, 20, 20, nullptr},
    {IDC_CAPTION_LAN, "Static", 0x50020100, 164, 33, 78, 8, "Automatically Configured"},
    {IDC_CAPTION_DIALUP, "Static", 0x5000010c, 35, 33, 78, 8, "Automatically Configured"},
    {-1, "Static", 0x50000803, 358, 34, 20, 20, nullptr},
    {IDC_CAPTION_MANUAL, "Static", 0x50020100, 293, 33, 62, 8, "Manual Configured "},
    {-1, "Button", 0x50000007, 286, 145, 99, 69, "NDI Cache"},
    {IDC_HELP_NDI, "Static", 0x58000000, 365, 145, 13, 8, "???"},
    {IDC_MASK_NDI, "Static", 0x50000000, 364, 139, 16, 19, " "},
    {IDC_NDI_DEFAULT, "Button", 0x58000004, 296, 159, 83, 10, "Windows Default"},
    {IDC_NDI_CUSTOM, "Button", 0x58000004, 296, 195, 39, 10, "Custom"},
    {IDC_NDI_COMBO, "ComboBox", 0x58200002, 337, 194, 39, 53, "16"},
    {IDC_NDI_16, "Button", 0x58000004, 296, 176, 80, 10, "16  (Recommended)"},
    {IDC_KEEPALIVE_10, "Button", 0x58000004, 19, 176, 89, 10, "10min. (Recommended)"},
    {IDC_HELP_PMTU, "Static", 0x58000000, 262, 145, 13, 8, "???"},
    {IDC_MASK_PMTU, "Static", 0x50000000, 260, 141, 16, 15, " "},
    {IDC_LABEL_MAXMTU, "Static", 0x40000000, 11, 132, 51, 8, "MaxMTU:  Auto"},
    {IDC_HELP_KEEPALIVE, "Static", 0x58000000, 92, 145, 13, 8, "???"},
    {IDC_MASK_KEEPALIVE, "Static", 0x50000000, 90, 140, 16, 19, " "},
    {IDC_LABEL_RWIN, "Static", 0x40000000, 115, 133, 52, 8, "RWIN:  Auto"},
    {IDC_LABEL_TTL, "Static", 0x40000000, 161, 130, 66, 8, "TTL:  Auto"},
    {IDC_LABEL_MSS, "Static", 0x40000000, 70, 132, 37, 8, "MSS:  Auto"},
    {IDC_PING_CONFIG, "Button", 0x50000000, 164, 196, 69, 14, "&Ping Configuration"},
};

bool IsHelpLink(int id) {
  return id == IDC_HELP_MTU || id == IDC_HELP_RWIN || id == IDC_HELP_TTL ||
         id == IDC_HELP_KEEPALIVE || id == IDC_HELP_PMTU || id == IDC_HELP_NDI;
}

const int kSettingRadios[] = {
    IDC_MTU_DEFAULT,       IDC_MTU_576,      IDC_MTU_CUSTOM,       IDC_RWIN_DEFAULT,
    IDC_RWIN_X6,           IDC_RWIN_CUSTOM,  IDC_TTL_DEFAULT,      IDC_TTL_128,
    IDC_TTL_CUSTOM,        IDC_KEEPALIVE_DEFAULT, IDC_KEEPALIVE_10, IDC_KEEPALIVE_CUSTOM,
    IDC_NDI_DEFAULT,       IDC_NDI_16,       IDC_NDI_CUSTOM,
};
const int kHelpLinkIds[] = {IDC_HELP_MTU,       IDC_HELP_RWIN, IDC_HELP_TTL,
                            IDC_HELP_KEEPALIVE, IDC_HELP_PMTU, IDC_HELP_NDI};

class FormTest : public testing::Test {
 protected:
  // The machine the program finds at its start.
  virtual void SeedMachine() { ClearMachine(); }
  void SetUp() override {
    SeedMachine();
    app = StartFormApp();
    ASSERT_NE(nullptr, app.form);
  }
  void TearDown() override { CloseFormApp(app); }
  FormApp app;
};

// ---- Start-up ----

class FormStartup : public FormTest {};

TEST_F(FormStartup, EveryControlAsTheTemplateMakesIt) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(app.form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    children.push_back(c);
  ASSERT_EQ(std::size(kFormControls), children.size());
  for (size_t i = 0; i < children.size(); ++i) {
    const TemplateControl& t = kFormControls[i];
    HWND c = children[i];
    SCOPED_TRACE(testing::Message() << "control #" << i + 1 << " id " << t.id);
    EXPECT_EQ(t.id, GetDlgCtrlID(c));
    EXPECT_EQ(0, _stricmp(t.cls, ClassOf(c).c_str())) << ClassOf(c);
    DWORD style = GetWindowLongA(c, GWL_STYLE);
    DWORD exStyle = GetWindowLongA(c, GWL_EXSTYLE);
    // Links ask for clicks once they become links. The system turns the
    // border of an edit into an edge, takes it from a progress bar, and gives
    // a list's scroll bar to its drop-down part.
    if (IsHelpLink(t.id)) style &= ~SS_NOTIFY;
    if ((!strcmp(t.cls, "Edit") && (exStyle & WS_EX_CLIENTEDGE)) || t.id == IDC_FORM_PROGRESS)
      style |= WS_BORDER;
    if (!strcmp(t.cls, "ComboBox")) style |= WS_VSCROLL;
    EXPECT_EQ(t.style, style) << std::hex << style;
    if (t.text) {
      EXPECT_EQ(t.text, Text(c));
    }
    if (t.id >= 0 && !strcmp(t.cls, "Button")) {
      EXPECT_FALSE(IsChecked(app.form, t.id));
    }

    // Normal fonts: everything stands where the template puts it. Links fit
    // their text, icons take their own size and a list's height is its
    // selection field's.
    RECT want = DialogUnitsToPixels(t.x, t.y, t.w, t.h);
    RECT got = ClientRectOf(c);
    EXPECT_EQ(want.left, got.left);
    EXPECT_EQ(want.top, got.top);
    bool ownSize = IsHelpLink(t.id) || !t.text || !strcmp(t.cls, "ComboBox");
    if (!ownSize) {
      EXPECT_EQ(want.right - want.left, got.right - got.left);
      EXPECT_EQ(want.bottom - want.top, got.bottom - got.top);
    }
  }
}

TEST_F(FormStartup, ListsAreFilledWithTheirStartSelection) {
  const struct {
    int id;
    size_t count;
    int selection;
    const char* first;
    const char* last;
  } lists[] = {
      {IDC_RWIN_COMBO, 7, 1, "x4", "x16"},
      {IDC_NDI_COMBO, 7, 4, "0", "64"},
      {IDC_KEEPALIVE_COMBO, 60, 9, "1 min.", "60 min."},
  };
  for (const auto& l : lists) {
    SCOPED_TRACE(l.id);
    std::vector<std::string> items = ComboItems(app.Item(l.id));
    ASSERT_EQ(l.count, items.size());
    EXPECT_EQ(l.first, items.front());
    EXPECT_EQ(l.last, items.back());
    EXPECT_EQ(l.selection, ComboSelection(app.Item(l.id)));
  }
  EXPECT_EQ((std::vector<std::string>{"x4", "x6", "x8", "x10", "x12", "x14", "x16"}),
            ComboItems(app.Item(IDC_RWIN_COMBO)));
  EXPECT_EQ((std::vector<std::string>{"0", "2", "4", "8", "16", "32", "64"}),
            ComboItems(app.Item(IDC_NDI_COMBO)));
  EXPECT_EQ("37 min.", ComboItems(app.Item(IDC_KEEPALIVE_COMBO))[36]);
}

// ---- Modes ----

class FormModes : public FormTest {
 protected:
  void SeedMachine() override { SeedWin98Machine(); }
};

TEST_F(FormModes, DialUpThenLanKeepsTheManualMarksDisabled) {
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption, /*answerLan=*/true));
  ASSERT_TRUE(SendClick(app.form, IDC_TTL_CUSTOM));
  std::vector<int> marks;
  for (int id : kSettingRadios)
    if (IsChecked(app.form, id)) marks.push_back(id);
  EXPECT_EQ((std::vector<int>{IDC_MTU_DEFAULT, IDC_RWIN_DEFAULT, IDC_TTL_CUSTOM,
                              IDC_KEEPALIVE_DEFAULT, IDC_NDI_16}),
            marks);

  ASSERT_TRUE(ChooseMode(app, IDC_MODE_DIALUP, kDialUpModeCaption));
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_LAN, kLanModeCaption));
  EXPECT_TRUE(IsChecked(app.form, IDC_MODE_LAN));
  EXPECT_FALSE(IsChecked(app.form, IDC_MODE_DIALUP));
  EXPECT_FALSE(IsChecked(app.form, IDC_MODE_MANUAL));
  for (int id : kSettingRadios) {
    EXPECT_EQ(std::count(marks.begin(), marks.end(), id) == 1, IsChecked(app.form, id)) << id;
    EXPECT_FALSE(IsEnabled(app.form, id)) << id;
  }
  for (int id : {IDC_MTU_EDIT, IDC_TTL_EDIT, IDC_RWIN_COMBO, IDC_KEEPALIVE_COMBO, IDC_NDI_COMBO,
                 IDC_PMTU_DISCOVERY, IDC_PMTU_BLACKHOLE})
    EXPECT_FALSE(IsEnabled(app.form, id)) << id;
  for (int id : kHelpLinkIds) EXPECT_FALSE(IsEnabled(app.form, id)) << id;
  EXPECT_TRUE(IsChecked(app.form, IDC_PMTU_DISCOVERY));
}

TEST_F(FormModes, ManualUnlocksTheSettingsAndLeavesTheFocusOnApply) {
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption));
  for (int id : kSettingRadios) EXPECT_TRUE(IsEnabled(app.form, id)) << id;
  for (int id : {IDC_PMTU_DISCOVERY, IDC_PMTU_BLACKHOLE}) EXPECT_TRUE(IsEnabled(app.form, id));
  // The recommended choices lock the edits and lists again.
  for (int id : {IDC_MTU_EDIT, IDC_TTL_EDIT, IDC_RWIN_COMBO, IDC_KEEPALIVE_COMBO, IDC_NDI_COMBO})
    EXPECT_FALSE(IsEnabled(app.form, id)) << id;
  for (int id : kHelpLinkIds) {
    EXPECT_TRUE(IsEnabled(app.form, id)) << id;
    EXPECT_TRUE(IsVisible(app.form, id)) << id;
  }
  EXPECT_TRUE(IsChecked(app.form, IDC_PMTU_DISCOVERY));
  EXPECT_FALSE(IsChecked(app.form, IDC_PMTU_BLACKHOLE));
  EXPECT_EQ(app.Item(IDC_APPLY), FocusOf(app.form));

  ASSERT_TRUE(SendClick(app.form, IDC_NDI_CUSTOM));
  EXPECT_TRUE(IsEnabled(app.form, IDC_NDI_COMBO));
  EXPECT_FALSE(IsChecked(app.form, IDC_NDI_16));
  EXPECT_TRUE(IsChecked(app.form, IDC_NDI_CUSTOM));
}

TEST_F(FormModes, ACaptionOfTheCheckedModeShowsNoDialog) {
  ASSERT_TRUE(ChooseMode(app, IDC_CAPTION_DIALUP, kDialUpModeCaption));
  EXPECT_TRUE(IsChecked(app.form, IDC_MODE_DIALUP));
  Click(app.form, IDC_CAPTION_DIALUP);
  EXPECT_TRUE(IdlePass(app.frame)) << "a dialog came: " << DescribeWindows(app.p.pid());
  // Another mode's caption, and the checked radio itself, still do.
  ASSERT_TRUE(ChooseMode(app, IDC_CAPTION_LAN, kLanModeCaption));
  EXPECT_TRUE(IsChecked(app.form, IDC_MODE_LAN));
  EXPECT_FALSE(IsChecked(app.form, IDC_MODE_DIALUP));
  EXPECT_TRUE(ChooseMode(app, IDC_MODE_LAN, kLanModeCaption));
}

// A caption chooses its mode as a click on the radio does, and the focus ends
// where that click leaves it: on Apply for manual mode, else on the radio.
TEST_F(FormModes, ACaptionLeavesTheFocusWhereItsRadioWould) {
  const struct {
    int caption;
    const char* title;
    int focus;
  } cases[] = {
      {IDC_CAPTION_MANUAL, kManualModeCaption, IDC_APPLY},
      {IDC_CAPTION_DIALUP, kDialUpModeCaption, IDC_MODE_DIALUP},
      {IDC_CAPTION_MANUAL, kManualModeCaption, IDC_APPLY},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    ASSERT_TRUE(ChooseMode(app, c.caption, c.title));
    EXPECT_EQ(app.Item(c.focus), FocusOf(app.form)) << ClassOf(FocusOf(app.form));
  }
}

// ---- Manual controls ----

class FormManual : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption));
  }
  // The typing handled by the loop, and no box for it.
  testing::AssertionResult NoBoxAfterTyping() { return NoBoxAfterIdlePass(app.frame); }
};

TEST_F(FormManual, TypedNumbersStayAsTyped) {
  ASSERT_TRUE(SendClick(app.form, IDC_MTU_CUSTOM));
  HWND edit = app.Item(IDC_MTU_EDIT);
  EXPECT_TRUE(IsWindowEnabled(edit));
  EXPECT_EQ(edit, FocusOf(app.form));
  TypeInto(edit, "1500");
  EXPECT_TRUE(NoBoxAfterTyping());
  EXPECT_EQ("1500", Text(edit));
  ClearEdit(edit);
  TypeInto(edit, " 576 ");
  EXPECT_TRUE(NoBoxAfterTyping());
  EXPECT_EQ(" 576 ", Text(edit));
  ClearEdit(edit);
  EXPECT_TRUE(NoBoxAfterTyping());
  EXPECT_EQ("", Text(edit));
}

TEST_F(FormManual, ALetterBringsBackTheLastNumberWithOneBox) {
  Click(app.form, IDC_MTU_CUSTOM);
  HWND edit = app.Item(IDC_MTU_EDIT);
  TypeInto(edit, "15a");
  HWND box = WaitForMessageBox(app.p.pid(), kBoxCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Invalid Number   ", MessageBoxText(box));
  EXPECT_EQ(app.frame, GetWindow(box, GW_OWNER));
  EXPECT_TRUE(HasButton(box, IDOK));
  EXPECT_FALSE(HasButton(box, IDCANCEL));
  EXPECT_EQ("15", Text(edit));  // already back while the box is up
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(NoBoxAfterTyping());
  EXPECT_EQ("15", Text(edit));
}

TEST_F(FormManual, ASixthDigitIsTakenBackWithoutAWord) {
  for (int custom : {IDC_MTU_CUSTOM, IDC_TTL_CUSTOM}) {
    SCOPED_TRACE(custom);
    Click(app.form, custom);
    HWND edit = app.Item(custom == IDC_MTU_CUSTOM ? IDC_MTU_EDIT : IDC_TTL_EDIT);
    TypeInto(edit, "123456");
    EXPECT_TRUE(NoBoxAfterTyping());
    EXPECT_EQ("12345", Text(edit));
  }
}

TEST_F(FormManual, TypingIntoAListIsUndone) {
  const struct {
    int custom, list, item;
    const char* text;
  } lists[] = {
      {IDC_RWIN_CUSTOM, IDC_RWIN_COMBO, 2, "x8"},
      {IDC_KEEPALIVE_CUSTOM, IDC_KEEPALIVE_COMBO, 29, "30 min."},
      {IDC_NDI_CUSTOM, IDC_NDI_COMBO, 6, "64"},
  };
  for (const auto& l : lists) {
    SCOPED_TRACE(l.text);
    ASSERT_TRUE(SendClick(app.form, l.custom));
    HWND combo = app.Item(l.list);
    ASSERT_TRUE(IsWindowEnabled(combo));
    SendMessageA(combo, CB_SETCURSEL, l.item, 0);
    // Once typed into, a list may have let go of its selection; then the
    // stored value is what comes back.
    for (const char* key : {"7", "9"}) {
      TypeInto(ListEditField(combo), key);
      ASSERT_TRUE(IdlePass(app.frame));
      EXPECT_EQ(l.text, Text(combo)) << key;
    }
  }
}

}  // namespace
}  // namespace e2e
