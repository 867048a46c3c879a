// The main window: its size, bars and panes, its commands, and the start-up
// notice of its idle-time update.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/texts.h"

namespace e2e {
namespace {

const char kIdleMessage[] = "Choose your wanted settings and press ''Apply''";
const char kNtOsPane[] = "   OS: Windows NT ";

// Runs an idle-time update, which fills the OS pane, and tells whether the
// pane then reads `osText`.
bool WaitForPanes(const FrameRun& run, const std::string& osText) {
  return IdlePass(run.frame) && PaneText(run.statusBar, 2) == osText;
}

TEST(FrameLayout, FixedSizeCentredWithBarsAroundTheForm) {
  ClearMachine();
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  ASSERT_NE(nullptr, run.toolbar);
  ASSERT_NE(nullptr, run.statusBar);
  ASSERT_NE(nullptr, run.form);

  RECT r = WindowRect(run.frame);
  EXPECT_EQ(604, r.right - r.left);
  EXPECT_EQ(450, r.bottom - r.top);
  LONG style = GetWindowLongA(run.frame, GWL_STYLE);
  EXPECT_EQ(0, style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_VSCROLL | WS_HSCROLL));
  EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
            style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((area.left + area.right) / 2, (r.left + r.right) / 2, 1);
  EXPECT_NEAR((area.top + area.bottom) / 2, (r.top + r.bottom) / 2, 1);

  const int spacer = ID_TOOLBAR_SPACER;
  const std::vector<int> buttons = {
      ID_APPLY_NEW_SETTINGS, ID_PING_CONFIGURATION, ID_FIND_MTU,    spacer,
      ID_RESTORE_ORIGINAL,   ID_REGISTRY_BACKUP,    0,              spacer,
      ID_CPL_INTERNET,       ID_CPL_SYSTEM,         ID_CPL_MODEMS,  ID_CPL_NETWORK,
      0,                     spacer,                ID_HELP_INDEX,  ID_APP_ABOUT,
      ID_HELP_WEB_SUPPORT};
  EXPECT_EQ(buttons, ToolbarCommands(run.toolbar));
  for (int id : buttons) {
    if (id) {
      EXPECT_EQ(id != spacer, SendMessageA(run.toolbar, TB_ISBUTTONENABLED, id, 0) != 0) << id;
    }
  }
  EXPECT_EQ(MAKELONG(24, 22), SendMessageA(run.toolbar, TB_GETBUTTONSIZE, 0, 0));

  EXPECT_EQ(3, PaneCount(run.statusBar));
  EXPECT_TRUE(WaitForPanes(run, kNtOsPane));
  EXPECT_EQ(kIdleMessage, PaneText(run.statusBar, 0));
  EXPECT_EQ("", PaneText(run.statusBar, 1));  // no mode chosen yet

  RECT bar = WindowRect(run.toolbar), status = WindowRect(run.statusBar),
       form = WindowRect(run.form);
  EXPECT_EQ(bar.bottom, form.top);
  EXPECT_EQ(status.top, form.bottom);
  EXPECT_TRUE(CloseFrame(run));
}

TEST(FrameLayout, OsPaneNamesTheDetectedWindows) {
  const struct {
    void (*seed)();
    const char* text;
  } cases[] = {{ClearMachine, kNtOsPane}, {SeedWin98Machine, "   OS: Windows 98 "}};
  for (const auto& c : cases) {
    c.seed();
    FrameRun run = StartFrame();
    ASSERT_NE(nullptr, run.frame);
    EXPECT_TRUE(WaitForPanes(run, c.text)) << PaneText(run.statusBar, 2);
    EXPECT_TRUE(CloseFrame(run));
  }
  ClearMachine();
}

TEST(FrameLayout, MenuPromptsTipsAndAccelerator) {
  Resources res;
  ASSERT_NE(nullptr, res.module());
  HMENU menu = LoadMenuA(res.module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(nullptr, menu);
  // Each item as its path of texts and its command (0 for a separator).
  using Items = std::vector<std::pair<std::string, UINT>>;
  Items items;
  struct Walk {
    static void Add(HMENU m, const std::string& path, Items* out) {
      for (int i = 0; i < GetMenuItemCount(m); ++i) {
        char text[256] = {};
        GetMenuStringA(m, i, text, sizeof text, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(m, i)) {
          Add(sub, path + text + "/", out);
        } else {
          UINT id = GetMenuItemID(m, i);
          out->push_back({path + (id == 0 ? "-" : text), id});
        }
      }
    }
  };
  Walk::Add(menu, "", &items);
  DestroyMenu(menu);
  const Items expected = {
      {"&File/&Apply New Settings", ID_APPLY_NEW_SETTINGS},
      {"&File/Registry &Backup", ID_REGISTRY_BACKUP},
      {"&File/&Ping Configuration", ID_PING_CONFIGURATION},
      {"&File/Find Largest &MTU...", ID_FIND_MTU},
      {"&File/-", 0},
      {"&File/Restore &Windows Original Settings", ID_RESTORE_ORIGINAL},
      {"&File/&Undo Last Changes", ID_UNDO_CHANGES},
      {"&File/-", 0},
      {"&File/E&xit", ID_APP_EXIT},
      {"&View/&Toolbar", ID_VIEW_TOOLBAR},
      {"&View/&Status Bar", ID_VIEW_STATUS_BAR},
      {"&View/-", 0},
      {"&View/Current &Settings...", ID_CURRENT_SETTINGS},
      {"&View/&Control Panel/Sy&stem...", ID_CPL_SYSTEM},
      {"&View/&Control Panel/Intern&et...", ID_CPL_INTERNET},
      {"&View/&Control Panel/&Modems...", ID_CPL_MODEMS},
      {"&View/&Control Panel/&Network...", ID_CPL_NETWORK},
      {"&Help/&Index\tF1", ID_HELP_INDEX},
      {"&Help/-", 0},
      {"&Help/&Go to Web Support...", ID_HELP_WEB_SUPPORT},
      {"&Help/-", 0},
      {"&Help/&About Velora\xAE", ID_APP_ABOUT},
  };
  EXPECT_EQ(expected, items);

  const struct {
    UINT id;
    const char* text;
  } strings[] = {
      {ID_APPLY_NEW_SETTINGS, "Apply new settings\nApply"},
      {ID_REGISTRY_BACKUP, "Backup your current Windows Registry file\nRegistry Backup"},
      {ID_PING_CONFIGURATION, "Configure your ping settings\nPing Configuration"},
      {ID_FIND_MTU, "Find the largest MTU your line carries\nFind Largest MTU"},
      {ID_RESTORE_ORIGINAL,
       "Restore Windows original settings, both Dial-Up and LAN settings\nRestore original "
       "settings"},
      {ID_UNDO_CHANGES,
       "Undo the last changes, putting back the settings as they were before\nUndo Last "
       "Changes"},
      {ID_CURRENT_SETTINGS,
       "Show the settings your computer holds now and what your choice would write\nCurrent "
       "Settings"},
      {ID_APP_EXIT, "Exit Velora\nExit"},
      {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
      {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
      {ID_CPL_SYSTEM, "Launch Windows Control Panel - System\nSystem"},
      {ID_CPL_INTERNET, "Launch Windows Control Panel - Internet\nInternet"},
      {ID_CPL_MODEMS, "Launch Windows Control Panel - Modems\nModems"},
      {ID_CPL_NETWORK, "Launch Windows Control Panel - Network\nNetwork"},
      {ID_HELP_INDEX, "Opens the Help File window\nHelp"},
      {ID_HELP_WEB_SUPPORT,
       "Visit our web site: http://www.norwick.example/\nhttp://www.norwick.example/"},
      {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
      {IDS_IDLE_MESSAGE, kIdleMessage},
      {ID_INDICATOR_MODE, " Automatic Mode - Dial-Up "},
      {ID_INDICATOR_OS, " OS: Windows 2000 "},
      {ID_TOOLBAR_SPACER, ""},
  };
  for (const auto& s : strings) EXPECT_EQ(s.text, res.String(s.id)) << s.id;

  HACCEL accel = LoadAcceleratorsA(res.module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  ASSERT_NE(nullptr, accel);
  ACCEL entries[4] = {};
  ASSERT_EQ(1, CopyAcceleratorTableA(accel, entries, 4));
  EXPECT_EQ(VK_F1, entries[0].key);
  EXPECT_EQ(ID_HELP_INDEX, entries[0].cmd);
  EXPECT_EQ(FVIRTKEY, entries[0].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT));
  DestroyAcceleratorTable(accel);
}

TEST(FrameLayout, MenuAndToolbarShowPromptsAndTips) {
  ClearMachine();
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  ASSERT_TRUE(WaitForPanes(run, kNtOsPane));

  HMENU anyMenu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(1));
  SendMessageA(run.frame, WM_MENUSELECT, MAKEWPARAM(ID_RESTORE_ORIGINAL, MF_STRING),
               reinterpret_cast<LPARAM>(anyMenu));
  EXPECT_EQ("Restore Windows original settings, both Dial-Up and LAN settings",
            PaneText(run.statusBar, 0));
  SendMessageA(run.frame, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(anyMenu));
  EXPECT_EQ("", PaneText(run.statusBar, 0));
  SendMessageA(run.frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closes
  EXPECT_EQ(kIdleMessage, PaneText(run.statusBar, 0));

  // The pointer resting on the Help button.
  RECT button = ToolbarButtonRect(run.toolbar, ID_HELP_INDEX);
  POINT centre = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
  ClientToScreen(run.toolbar, &centre);
  SetCursorPos(centre.x - 1, centre.y);
  SetCursorPos(centre.x, centre.y);
  HWND tip = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    for (HWND w : TopWindows(run.proc.pid(), TOOLTIPS_CLASSA, nullptr, true))
      if (Text(w) == "Help") tip = w;
    return tip != nullptr;
  }));
  EXPECT_EQ("Opens the Help File window", PaneText(run.statusBar, 0));
  ParkPointer();
  EXPECT_TRUE(WaitUntil([&] { return PaneText(run.statusBar, 0) == kIdleMessage; }));
  EXPECT_TRUE(CloseFrame(run));
}

TEST(FrameLayout, ViewTogglesHideTheBarsAndStopPaneUpdates) {
  ClearMachine();
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  ASSERT_TRUE(WaitForPanes(run, kNtOsPane));
  POINT clientTop = {0, 0};
  ClientToScreen(run.frame, &clientTop);
  RECT client;
  GetClientRect(run.frame, &client);

  ASSERT_TRUE(SendCommand(run.frame, ID_VIEW_TOOLBAR));
  EXPECT_FALSE(IsWindowVisible(run.toolbar));
  EXPECT_EQ(clientTop.y, WindowRect(run.form).top);
  ASSERT_TRUE(SendCommand(run.frame, ID_VIEW_TOOLBAR));
  EXPECT_TRUE(IsWindowVisible(run.toolbar));
  EXPECT_EQ(WindowRect(run.toolbar).bottom, WindowRect(run.form).top);

  ASSERT_TRUE(SendCommand(run.frame, ID_VIEW_STATUS_BAR));
  EXPECT_FALSE(IsWindowVisible(run.statusBar));
  EXPECT_EQ(clientTop.y + client.bottom, WindowRect(run.form).bottom);
  // Hidden panes are left alone by the idle-time update, which the toolbar
  // shows to have run...
  ASSERT_TRUE(SetPaneTextRemote(run.statusBar, 2, "stale"));
  ASSERT_TRUE(IdlePass(run.frame));
  EXPECT_EQ("stale", PaneText(run.statusBar, 2));
  // ...and brought up to date as soon as they show again.
  ASSERT_TRUE(SendCommand(run.frame, ID_VIEW_STATUS_BAR));
  EXPECT_TRUE(WaitForPanes(run, kNtOsPane));
  EXPECT_EQ(WindowRect(run.statusBar).top, WindowRect(run.form).bottom);
  EXPECT_TRUE(CloseFrame(run));
}

class FrameCommands : public testing::Test {
 protected:
  void SetUp() override { ClearMachine(); }
  void TearDown() override {
    EndProcessesNamed("winhlp32.exe");
    ClearMachine();
  }
};

TEST_F(FrameCommands, ControlPanelCommandsStartTheirApplets) {
  InstallStub("rundll32.exe");
  const std::string run32 = "rundll32.exe shell32.dll,Control_RunDLL ";
  const struct {
    void (*seed)();
    int command;
    std::string line;
  } cases[] = {
      {ClearMachine, ID_CPL_SYSTEM, run32 + "Sysdm.cpl"},
      {ClearMachine, ID_CPL_INTERNET, run32 + "Inetcpl.cpl"},
      {ClearMachine, ID_CPL_MODEMS, run32 + "Modem.cpl"},
      {ClearMachine, ID_CPL_NETWORK, run32 + "Ncpa.cpl"},
      {SeedWin98Machine, ID_CPL_NETWORK, run32 + "Netcpl.cpl"},
  };
  for (const auto& c : cases) {
    c.seed();
    RemoveFile(InstallDir() + "rundll32.log");
    FrameRun run = StartFrame();
    ASSERT_NE(nullptr, run.frame);
    PostCommand(run.frame, c.command);
    std::vector<std::string> lines = WaitForLogLines("rundll32.log", 1);
    EXPECT_EQ(std::vector<std::string>{c.line}, lines) << c.command;
    EXPECT_TRUE(CloseFrame(run));
  }
}

TEST_F(FrameCommands, HelpIndexAndF1OpenTheWelcomeTopicOfTheHelpFile) {
  InstallStub("winhlp32.exe");
  RemoveFile(InstallDir() + "winhlp32.log");
  // Where a help file is installed, WinHelp shows it.
  WriteFileText(InstallDir() + "velora.hlp", "");
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  const std::string request = InstallDir() + "velora.hlp|257|Welcome to Velora\xAE 2001";
  PostCommand(run.frame, ID_HELP_INDEX);
  EXPECT_EQ(std::vector<std::string>{request}, WaitForLogLines("winhlp32.log", 1));
  PostMessageA(run.frame, WM_KEYDOWN, VK_F1, 0x003B0001);
  PostMessageA(run.frame, WM_KEYUP, VK_F1, 0xC03B0001);
  EXPECT_EQ((std::vector<std::string>{request, request}), WaitForLogLines("winhlp32.log", 2));
  EXPECT_TRUE(CloseFrame(run));
  RemoveFile(InstallDir() + "velora.hlp");
}

TEST_F(FrameCommands, WebSupportOpensTheSiteWithTheMenuTag) {
  BrowserStandIn browser;
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  PostCommand(run.frame, ID_HELP_WEB_SUPPORT);
  std::vector<std::string> lines = WaitForLogLines("browser.log", 1);
  ASSERT_EQ(1u, lines.size());
  EXPECT_NE(std::string::npos,
            lines[0].find("http://www.norwick.example/?ref=Velora 2001 v5.1_mainmenu"))
      << lines[0];
  EXPECT_TRUE(CloseFrame(run));
}

TEST_F(FrameCommands, RestoreAsksFirstAndSaysWhenDone) {
  SeedNtMachine();
  SetDword(kNtTcpipParameters, "TcpWindowSize", 64240);
  SetDword(kNtTcpipParameters, "DefaultTTL", 128);
  SetDword(kNtLanTcpip, "MTU", 576);
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  const std::string question =
      "The program will restore Windows default settings.\nIt will restore both your Dial-Up "
      "and LAN settings.\nWould you like to continue?";

  PostCommand(run.frame, ID_RESTORE_ORIGINAL);
  HWND box = WaitForMessageBox(run.proc.pid(), kBoxCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(question, MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDNO));
  EXPECT_TRUE(NoBoxAfterIdlePass(run.frame));
  EXPECT_EQ(64240, GetDword(kNtTcpipParameters, "TcpWindowSize"));
  EXPECT_EQ(576, GetDword(kNtLanTcpip, "MTU"));

  PostCommand(run.frame, ID_RESTORE_ORIGINAL);
  box = WaitForMessageBox(run.proc.pid(), kBoxCaption);
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(Answer(box, IDYES));
  box = WaitForMessageBox(run.proc.pid(), kBoxCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Windows default settings were successfully restored.", MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(-1, GetDword(kNtTcpipParameters, "TcpWindowSize"));
  EXPECT_EQ(-1, GetDword(kNtTcpipParameters, "DefaultTTL"));
  EXPECT_EQ(-1, GetDword(kNtLanTcpip, "MTU"));
  EXPECT_TRUE(CloseFrame(run));
}

TEST_F(FrameCommands, FileMenuReachesApplyBackupPingAndExit) {
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);

  PostCommand(run.frame, ID_APPLY_NEW_SETTINGS);  // no mode chosen: the Apply says so
  HWND box = WaitForMessageBox(run.proc.pid(), kBoxCaption);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(kNoModeText, MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));

  PostCommand(run.frame, ID_REGISTRY_BACKUP);  // NT: the backup only explains itself
  box = WaitForMessageBox(run.proc.pid(), kBoxCaption);
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(Answer(box, IDOK));

  PostCommand(run.frame, ID_PING_CONFIGURATION);
  HWND ping = WaitForWindow(run.proc.pid(), "#32770", kPingCaption);
  ASSERT_NE(nullptr, ping);
  ASSERT_TRUE(Answer(ping, IDCANCEL));

  PostCommand(run.frame, ID_APP_EXIT);
  EXPECT_TRUE(run.proc.WaitExit());
}

// The About box, the Ping Configuration and Current Settings, from the main
// window, run as the framework's modal dialogs: owned by the frame, which waits disabled
// beneath them and takes no command meanwhile.
TEST(FrameModal, AboutAndPingAreOwnedByTheDisabledFrame) {
  ClearMachine();
  RemoveFile(InstallDir() + "Velora.cfg");
  const struct {
    const char* how;
    const char* caption;
    bool fromForm;  // the form's button, else a command of the menu and toolbar
    int command;
  } cases[] = {
      {"Help > About", kAboutCaption, false, ID_APP_ABOUT},
      {"File > Ping Configuration", kPingCaption, false, ID_PING_CONFIGURATION},
      {"the form's Ping button", kPingCaption, true, IDC_PING_CONFIG},
      {"View > Current Settings", kCurrentSettingsCaption, false, ID_CURRENT_SETTINGS},
      {"File > Find Largest MTU", kMtuFinderCaption, false, ID_FIND_MTU},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    FrameRun run = StartFrame();
    ASSERT_NE(nullptr, run.frame);
    auto open = [&] {
      if (c.fromForm)
        Click(run.form, c.command);
      else
        PostCommand(run.frame, c.command);
    };
    open();
    HWND dialog = WaitForWindow(run.proc.pid(), "#32770", c.caption);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(run.frame, GetWindow(dialog, GW_OWNER));
    EXPECT_FALSE(IsWindowEnabled(run.frame));

    // Sent beneath the dialog, each handled before the call returns: a
    // second copy, an Apply, a Restore. One that ran would open its window
    // inside the call, which then comes back only at its timeout.
    const int refusedWithin = 2000;
    if (c.fromForm)
      EXPECT_TRUE(SendClick(run.form, c.command, refusedWithin));
    else
      EXPECT_TRUE(SendCommand(run.frame, c.command, refusedWithin));
    EXPECT_TRUE(SendCommand(run.frame, ID_APPLY_NEW_SETTINGS, refusedWithin));
    EXPECT_TRUE(SendCommand(run.frame, ID_RESTORE_ORIGINAL, refusedWithin));
    EXPECT_EQ(1u, TopWindows(run.proc.pid(), "#32770", c.caption, true).size());
    EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid()));

    ASSERT_TRUE(Answer(dialog, IDCANCEL));
    EXPECT_TRUE(IsWindowEnabled(run.frame));
    EXPECT_EQ(run.frame, ActiveOf(run.frame));
    EXPECT_TRUE(IdlePass(run.frame));
    EXPECT_TRUE(TopWindows(run.proc.pid(), "#32770", c.caption, false).empty());
    EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid()));
    EXPECT_TRUE(CloseFrame(run));
  }
}

// Its dialogs show no icon of their own (their verbs' do), and each one's
// own way out leaves the main window running.
TEST(FrameModal, ItsDialogsShowNoIconOfTheirOwn) {
  ClearMachine();
  RemoveFile(InstallDir() + "Velora.cfg");
  const struct {
    const char* caption;
    int command, close;
  } dialogs[] = {
      {kAboutCaption, ID_APP_ABOUT, IDC_ABOUT_CLOSE},
      {kPingCaption, ID_PING_CONFIGURATION, IDCANCEL},
      {kMtuFinderCaption, ID_FIND_MTU, IDCANCEL},
  };
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  for (const auto& d : dialogs) {
    SCOPED_TRACE(d.caption);
    PostCommand(run.frame, d.command);
    HWND dialog = WaitForWindow(run.proc.pid(), "#32770", d.caption);
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(WaitUntil([&] { return CaptionPainted(dialog); }));
    EXPECT_FALSE(CaptionShowsOurIcon(dialog));
    ASSERT_TRUE(Answer(dialog, d.close));
    EXPECT_TRUE(IsWindow(run.frame));
  }
  EXPECT_TRUE(CloseFrame(run));
}

// A close that reaches the frame beneath a modal window (a shutdown's, say)
// ends the run cleanly, also from inside the idle-time update's Apply.
TEST(FrameModal, ClosedBeneathItsDialogOrBoxTheProgramEnds) {
  ClearMachine();
  RemoveFile(InstallDir() + "Velora.cfg");
  for (bool fromIdleApply : {false, true}) {
    SCOPED_TRACE(fromIdleApply ? "the form's Apply, refused with a box" : "the About box");
    FrameRun run = StartFrame();
    ASSERT_NE(nullptr, run.frame);
    HWND modal = nullptr;
    if (fromIdleApply) {
      Click(run.form, IDC_APPLY);
      modal = WaitForMessageBox(run.proc.pid(), kBoxCaption);
    } else {
      PostCommand(run.frame, ID_APP_ABOUT);
      modal = WaitForWindow(run.proc.pid(), "#32770", kAboutCaption);
    }
    ASSERT_NE(nullptr, modal);
    PostMessageA(run.frame, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(run.proc.WaitExit(kWait, &code));
    EXPECT_EQ(0u, code);
  }
}

// The notice of the mode file comes with the third idle-time update; a few
// more show that none follows.
bool RunUntilQuiet(const FrameRun& run) {
  for (int i = 0; i < 5; ++i)
    if (!IdlePass(run.frame)) return false;
  return true;
}

TEST(FrameNotice, ShownOnceWithTheTrimmedActiveConfiguration) {
  ClearMachine();
  const std::string cfg = InstallDir() + "Velora.cfg";
  WriteFileText(cfg, "   Networking Performance - Manual Configured  ");
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  HWND box = nullptr;
  EXPECT_TRUE(WaitUntil([&] {
    IdlePass(run.frame);
    box = FindAnyMessageBox(run.proc.pid());
    return box != nullptr;
  }));
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(kBoxCaption, Text(box));
  EXPECT_EQ(
      "   Your current active configuration is:\n\n   Networking Performance - Manual "
      "Configured\n\n",
      MessageBoxText(box));
  EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_TRUE(RunUntilQuiet(run));
  EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid()));
  EXPECT_TRUE(CloseFrame(run));
  RemoveFile(cfg);
}

TEST(FrameNotice, NoneWithoutADescription) {
  ClearMachine();
  const std::string cfg = InstallDir() + "Velora.cfg";
  for (const char* content : {static_cast<const char*>(nullptr), "", "    "}) {
    RemoveFile(cfg);
    if (content) WriteFileText(cfg, content);
    FrameRun run = StartFrame();
    ASSERT_NE(nullptr, run.frame);
    EXPECT_TRUE(RunUntilQuiet(run));
    EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid())) << (content ? content : "no file");
    EXPECT_TRUE(CloseFrame(run));
  }
  RemoveFile(cfg);
}

}  // namespace
}  // namespace e2e
