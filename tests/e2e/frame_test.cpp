// The main window: its size, bars and panes, its commands, and the start-up
// notice of its idle-time update.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/e2e/frame_helpers.h"
#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const char kProduct[] = "Velora 2001";
const char kIdleMessage[] = "Choose your wanted settings and press ''Apply''";
const char kTcpip[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const char kLanTcpip[] = "SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip";

// Runs idle passes until the OS pane has been filled.
bool WaitForPanes(const FrameRun& run, const std::string& osText) {
  return WaitUntil([&] {
    IdlePass(run.frame);
    return PaneText(run.statusBar, 2) == osText;
  });
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

  const int spacer = 32780;
  const std::vector<int> buttons = {32781, 32786, spacer, 32787, 32775, 0,     spacer, 32776,
                                    32777, 32778, 32779,  0,     spacer, 57666, 57664,  32772};
  EXPECT_EQ(buttons, ToolbarCommands(run.toolbar));
  for (int id : buttons) {
    if (id) {
      EXPECT_EQ(id != spacer, SendMessageA(run.toolbar, TB_ISBUTTONENABLED, id, 0) != 0) << id;
    }
  }
  EXPECT_EQ(MAKELONG(24, 22), SendMessageA(run.toolbar, TB_GETBUTTONSIZE, 0, 0));

  EXPECT_EQ(3, PaneCount(run.statusBar));
  EXPECT_TRUE(WaitForPanes(run, "   OS: Windows NT "));
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
  } cases[] = {{ClearMachine, "   OS: Windows NT "}, {SeedWin98Machine, "   OS: Windows 98 "}};
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
  HMENU menu = LoadMenuA(res.module(), MAKEINTRESOURCEA(128));
  ASSERT_NE(nullptr, menu);
  std::vector<std::string> items;
  struct Walk {
    static void Items(HMENU m, const std::string& path, std::vector<std::string>* out) {
      for (int i = 0; i < GetMenuItemCount(m); ++i) {
        char text[256] = {};
        GetMenuStringA(m, i, text, sizeof text, MF_BYPOSITION);
        if (HMENU sub = GetSubMenu(m, i)) {
          Items(sub, path + text + "/", out);
        } else {
          UINT id = GetMenuItemID(m, i);
          out->push_back(path + (id == 0 ? std::string("-") : text + ("=" + std::to_string(id))));
        }
      }
    }
  };
  Walk::Items(menu, "", &items);
  DestroyMenu(menu);
  const std::vector<std::string> expected = {
      "&File/&Apply New Settings=32781",
      "&File/Registry &Backup=32775",
      "&File/&Ping Configuration=32786",
      "&File/-",
      "&File/Restore &Windows Original Settings=32787",
      "&File/&Undo Last Changes=32790",
      "&File/-",
      "&File/E&xit=57665",
      "&View/&Toolbar=59392",
      "&View/&Status Bar=59393",
      "&View/-",
      "&View/Current &Settings...=32791",
      "&View/&Control Panel/Sy&stem...=32777",
      "&View/&Control Panel/Intern&et...=32776",
      "&View/&Control Panel/&Modems...=32778",
      "&View/&Control Panel/&Network...=32779",
      "&Help/&Index\tF1=57666",
      "&Help/-",
      "&Help/&Go to Web Support...=32772",
      "&Help/-",
      "&Help/&About Velora\xAE=57664",
  };
  EXPECT_EQ(expected, items);

  const struct {
    UINT id;
    const char* text;
  } strings[] = {
      {32781, "Apply new settings\nApply"},
      {32775, "Backup your current Windows Registry file\nRegistry Backup"},
      {32786, "Configure your ping settings\nPing Configuration"},
      {32787,
       "Restore Windows original settings, both Dial-Up and LAN settings\nRestore original "
       "settings"},
      {32790, "Undo the last changes, putting back the settings as they were before\nUndo Last Changes"},
      {32791,
       "Show the settings your computer holds now and what your choice would write\nCurrent "
       "Settings"},
      {57665, "Exit Velora\nExit"},
      {59392, "Show or hide the toolbar\nToggle ToolBar"},
      {59393, "Show or hide the status bar\nToggle StatusBar"},
      {32777, "Launch Windows Control Panel - System\nSystem"},
      {32776, "Launch Windows Control Panel - Internet\nInternet"},
      {32778, "Launch Windows Control Panel - Modems\nModems"},
      {32779, "Launch Windows Control Panel - Network\nNetwork"},
      {57666, "Opens the Help File window\nHelp"},
      {32772, "Visit our web site: http://www.norwick.example/\nhttp://www.norwick.example/"},
      {57664, "Display program information, version number and copyright\nAbout"},
      {57345, kIdleMessage},
      {57346, " Automatic Mode - Dial-Up "},
      {57347, " OS: Windows 2000 "},
      {32780, ""},
  };
  for (const auto& s : strings) EXPECT_EQ(s.text, res.String(s.id)) << s.id;

  HACCEL accel = LoadAcceleratorsA(res.module(), MAKEINTRESOURCEA(128));
  ASSERT_NE(nullptr, accel);
  ACCEL entries[4] = {};
  ASSERT_EQ(1, CopyAcceleratorTableA(accel, entries, 4));
  EXPECT_EQ(VK_F1, entries[0].key);
  EXPECT_EQ(57666, entries[0].cmd);
  EXPECT_EQ(FVIRTKEY, entries[0].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT));
  DestroyAcceleratorTable(accel);
}

TEST(FrameLayout, MenuAndToolbarShowPromptsAndTips) {
  ClearMachine();
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  ASSERT_TRUE(WaitForPanes(run, "   OS: Windows NT "));

  HMENU anyMenu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(1));
  SendMessageA(run.frame, WM_MENUSELECT, MAKEWPARAM(32787, MF_STRING),
               reinterpret_cast<LPARAM>(anyMenu));
  EXPECT_EQ("Restore Windows original settings, both Dial-Up and LAN settings",
            PaneText(run.statusBar, 0));
  SendMessageA(run.frame, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), reinterpret_cast<LPARAM>(anyMenu));
  EXPECT_EQ("", PaneText(run.statusBar, 0));
  SendMessageA(run.frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closes
  EXPECT_EQ(kIdleMessage, PaneText(run.statusBar, 0));

  // The pointer resting on the Help button.
  RECT button = ToolbarButtonRect(run.toolbar, 57666);
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
  SetCursorPos(0, 0);
  EXPECT_TRUE(WaitUntil([&] { return PaneText(run.statusBar, 0) == kIdleMessage; }));
  EXPECT_TRUE(CloseFrame(run));
}

TEST(FrameLayout, ViewTogglesHideTheBarsAndStopPaneUpdates) {
  ClearMachine();
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  ASSERT_TRUE(WaitForPanes(run, "   OS: Windows NT "));
  POINT clientTop = {0, 0};
  ClientToScreen(run.frame, &clientTop);
  RECT client;
  GetClientRect(run.frame, &client);

  PostCommand(run.frame, 59392);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.toolbar); }));
  Settle(run.frame);
  EXPECT_EQ(clientTop.y, WindowRect(run.form).top);
  PostCommand(run.frame, 59392);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(run.toolbar) != FALSE; }));
  Settle(run.frame);
  EXPECT_EQ(WindowRect(run.toolbar).bottom, WindowRect(run.form).top);

  PostCommand(run.frame, 59393);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.statusBar); }));
  Settle(run.frame);
  EXPECT_EQ(clientTop.y + client.bottom, WindowRect(run.form).bottom);
  // Hidden panes are left alone by the idle-time update...
  SetPaneTextRemote(run.statusBar, 2, "stale");
  for (int i = 0; i < 3; ++i) IdlePass(run.frame);
  EXPECT_EQ("stale", PaneText(run.statusBar, 2));
  // ...and brought up to date as soon as they show again.
  PostCommand(run.frame, 59393);
  EXPECT_TRUE(WaitForPanes(run, "   OS: Windows NT "));
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
      {ClearMachine, 32777, run32 + "Sysdm.cpl"},     {ClearMachine, 32776, run32 + "Inetcpl.cpl"},
      {ClearMachine, 32778, run32 + "Modem.cpl"},     {ClearMachine, 32779, run32 + "Ncpa.cpl"},
      {SeedWin98Machine, 32779, run32 + "Netcpl.cpl"},
  };
  for (const auto& c : cases) {
    c.seed();
    RemoveFile(InstallDir() + "rundll32.log");
    FrameRun run = StartFrame();
    ASSERT_NE(nullptr, run.frame);
    Settle(run.frame);
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
  PostCommand(run.frame, 57666);
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
  PostCommand(run.frame, 32772);
  std::vector<std::string> lines = WaitForLogLines("browser.log", 1);
  ASSERT_EQ(1u, lines.size());
  EXPECT_NE(std::string::npos,
            lines[0].find("http://www.norwick.example/?ref=Velora 2001 v5.1_mainmenu"))
      << lines[0];
  EXPECT_TRUE(CloseFrame(run));
}

TEST_F(FrameCommands, RestoreAsksFirstAndSaysWhenDone) {
  SeedNtMachine();
  SetDword(kTcpip, "TcpWindowSize", 64240);
  SetDword(kTcpip, "DefaultTTL", 128);
  SetDword(kLanTcpip, "MTU", 576);
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);
  const std::string question =
      "The program will restore Windows default settings.\nIt will restore both your Dial-Up "
      "and LAN settings.\nWould you like to continue?";

  PostCommand(run.frame, 32787);
  HWND box = WaitForMessageBox(run.proc.pid(), kProduct);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(question, MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDNO));
  Settle(run.frame, 300);
  EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid()));
  EXPECT_EQ(64240, GetDword(kTcpip, "TcpWindowSize"));
  EXPECT_EQ(576, GetDword(kLanTcpip, "MTU"));

  PostCommand(run.frame, 32787);
  box = WaitForMessageBox(run.proc.pid(), kProduct);
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(Answer(box, IDYES));
  box = WaitForMessageBox(run.proc.pid(), kProduct);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Windows default settings were successfully restored.", MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));
  EXPECT_EQ(-1, GetDword(kTcpip, "TcpWindowSize"));
  EXPECT_EQ(-1, GetDword(kTcpip, "DefaultTTL"));
  EXPECT_EQ(-1, GetDword(kLanTcpip, "MTU"));
  EXPECT_TRUE(CloseFrame(run));
}

TEST_F(FrameCommands, FileMenuReachesApplyBackupPingAndExit) {
  FrameRun run = StartFrame();
  ASSERT_NE(nullptr, run.frame);

  PostCommand(run.frame, 32781);  // no mode chosen: the Apply command says so
  HWND box = WaitForMessageBox(run.proc.pid(), kProduct);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("No configuration mode was selected.", MessageBoxText(box));
  ASSERT_TRUE(Answer(box, IDOK));

  PostCommand(run.frame, 32775);  // NT: the backup only explains itself
  box = WaitForMessageBox(run.proc.pid(), kProduct);
  ASSERT_NE(nullptr, box);
  ASSERT_TRUE(Answer(box, IDOK));

  PostCommand(run.frame, 32786);
  HWND ping = WaitForWindow(run.proc.pid(), "#32770", "Ping Configuration");
  ASSERT_NE(nullptr, ping);
  ASSERT_TRUE(Answer(ping, IDCANCEL));

  PostCommand(run.frame, 57665);
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
      {"Help > About", "About Velora", false, ID_APP_ABOUT},
      {"File > Ping Configuration", "Ping Configuration", false, ID_PING_CONFIGURATION},
      {"the form's Ping button", "Ping Configuration", true, IDC_PING_CONFIG},
      {"View > Current Settings", "Current Settings", false, ID_CURRENT_SETTINGS},
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

    // Posted beneath the dialog: a second copy, an Apply, a Restore.
    open();
    PostCommand(run.frame, ID_APPLY_NEW_SETTINGS);
    PostCommand(run.frame, ID_RESTORE_ORIGINAL);
    Settle(dialog, 300);
    EXPECT_EQ(1u, TopWindows(run.proc.pid(), "#32770", c.caption, true).size());
    EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid()));

    ASSERT_TRUE(Answer(dialog, IDCANCEL));
    EXPECT_TRUE(IsWindowEnabled(run.frame));
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(run.frame, nullptr), &gui));
    EXPECT_EQ(run.frame, gui.hwndActive);
    Settle(run.frame, 300);
    EXPECT_TRUE(TopWindows(run.proc.pid(), "#32770", c.caption, false).empty());
    EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid()));
    EXPECT_TRUE(CloseFrame(run));
  }
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
      IdlePass(run.frame);
      modal = WaitForMessageBox(run.proc.pid(), kProduct);
    } else {
      PostCommand(run.frame, ID_APP_ABOUT);
      modal = WaitForWindow(run.proc.pid(), "#32770", "About Velora");
    }
    ASSERT_NE(nullptr, modal);
    PostMessageA(run.frame, WM_CLOSE, 0, 0);
    DWORD code = STILL_ACTIVE;
    EXPECT_TRUE(run.proc.WaitExit(kWait, &code));
    EXPECT_EQ(0u, code);
  }
}

// The notice of the mode file comes with the second idle-time update.
void RunUntilQuiet(const FrameRun& run) {
  for (int i = 0; i < 6; ++i) IdlePass(run.frame);
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
  EXPECT_EQ(kProduct, Text(box));
  EXPECT_EQ(
      "   Your current active configuration is:\n\n   Networking Performance - Manual "
      "Configured\n\n",
      MessageBoxText(box));
  EXPECT_EQ(nullptr, GetWindow(box, GW_OWNER));
  ASSERT_TRUE(Answer(box, IDOK));
  RunUntilQuiet(run);
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
    RunUntilQuiet(run);
    EXPECT_EQ("   OS: Windows NT ", PaneText(run.statusBar, 2));  // the updates did run
    EXPECT_EQ(nullptr, FindAnyMessageBox(run.proc.pid())) << (content ? content : "no file");
    EXPECT_TRUE(CloseFrame(run));
  }
  RemoveFile(cfg);
}

}  // namespace
}  // namespace e2e
