#include "app/win/main_frame.h"

#include <commctrl.h>


#include "app/status_panes.h"
#include "app/win/apply_ui.h"
#include "backup/registry_backup.h"
#include "form/win/form_view.h"
#include "links/help.h"
#include "links/shortcuts.h"
#include "links/win/about_dlg.h"
#include "ping/win/mtu_finder_dlg.h"
#include "ping/win/ping_dlg.h"
#include "res/resource.h"
#include "runtime/win/startup_trace.h"
#include "settings/install_folder.h"
#include "settings/mode_file.h"
#include "tuning/apply_command.h"
#include "tuning/restore.h"
#include "tuning/undo.h"
#include "tuning/win/current_settings_dlg.h"
#include "ui/cursor.h"
#include "ui/gdi.h"
#include "ui/geometry.h"

namespace {

constexpr int kFrameWidth = 604;
constexpr int kFrameHeight = 450;
constexpr int kImageWidth = 17;
constexpr int kImageHeight = 16;
constexpr int kImageCount = 15;
// Room around the pane texts and between the panes, as the framework left it.
constexpr int kPanePadding = 6;
constexpr int kPaneGap = 2;
// The toolbar's left margin, where a dockable bar would have its gripper.
constexpr int kToolBarIndent = 8;
// How long the window is to have been idle after its first idle pass before
// it does what it needs only once it is in use.
constexpr UINT kAfterFirstIdleMs = 100;
// The frame's normal rectangle until it is centred.
constexpr RECT kFarAway = {-100000, 0, -100000 + kFrameWidth, kFrameHeight};

struct ToolButton {
  int image;    // -1 for a separator
  UINT command;
};

// Spacers carry the blank images and a command without handler: always
// disabled, so they only keep the groups apart.
const ToolButton kToolButtons[] = {
    {0, ID_APPLY_NEW_SETTINGS}, {1, ID_PING_CONFIGURATION}, {14, ID_FIND_MTU},
    {2, ID_TOOLBAR_SPACER},     {3, ID_RESTORE_ORIGINAL},   {4, ID_REGISTRY_BACKUP},
    {-1, 0},
    {5, ID_TOOLBAR_SPACER},     {6, ID_CPL_INTERNET},       {7, ID_CPL_SYSTEM},
    {8, ID_CPL_MODEMS},         {9, ID_CPL_NETWORK},        {-1, 0},
    {10, ID_TOOLBAR_SPACER},    {11, ID_HELP_INDEX},        {12, ID_APP_ABOUT},
    {13, ID_HELP_WEB_SUPPORT},
};

bool IsVisible(HWND hwnd) { return hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE); }

}  // namespace

bool CMainFrame::CreateFrame(HINSTANCE instance) {
  instance_ = instance;
  ui::CreateArgs args;
  args.className = "VeloraFrame";
  // Fixed size: no sizing border, no maximise box, no scroll bars.
  args.style = WS_OVERLAPPEDWINDOW & ~(WS_VSCROLL | WS_HSCROLL | WS_THICKFRAME | WS_MAXIMIZEBOX);
  args.icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME));
  // Given at creation, the menu is part of the frame's first layout; set
  // afterwards it would make the frame lay itself out once more. The window
  // owns it and destroys it with itself, also when the rest of its creation fails.
  args.menu = LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME));
  // Made as large as its placement makes it, and where it ends (PlaceWindow):
  // sized afterwards from the system's default, the frame and its bars would
  // be laid out twice over, and moved, the frame's window would be moved on
  // the display too.
  args.width = kFarAway.right - kFarAway.left;
  args.height = kFarAway.bottom - kFarAway.top;
  if (app_.m_strCommand == "detect") {
    args.x = kFarAway.left;
    args.y = kFarAway.top;
  } else {
    const POINT centre = ui::CentredInWorkArea(args.width, args.height);
    args.x = centre.x;
    args.y = centre.y;
  }
  if (!Create(args)) {
    if (args.menu && IsMenu(args.menu)) DestroyMenu(args.menu);  // no window took it
    return false;
  }
  app_.m_pMainFrame = this;
  return true;
}

int CMainFrame::OnCreate() {
  vl::TraceStep("frame window made (class, icon, menu)");
  m_hAccelTable = LoadAcceleratorsA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME));
  if (!CreateToolBar()) return -1;
  vl::TraceStep("toolbar and its bitmap");
  if (!CreateStatusBar()) return -1;
  vl::TraceStep("status bar and its panes");
  PlaceWindow();
  vl::TraceStep("frame placed and centred");

  // The form's initial update may place the frame once more (large fonts),
  // so it comes after the frame's own placement.
  if (!m_wndView.Create(hwnd_)) return -1;
  LayoutChildren();
  return 0;
}

void CMainFrame::OnFinalMessage() {
  if (app_.m_pMainFrame == this) app_.m_pMainFrame = nullptr;
}

bool CMainFrame::CreateToolBar() {
  m_wndToolBar = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, nullptr,
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0,
      0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_TOOLBAR)), instance_,
      nullptr);
  if (!m_wndToolBar) return false;
  SendMessageA(m_wndToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(m_wndToolBar, TB_SETBITMAPSIZE, 0, MAKELONG(kImageWidth, kImageHeight));
  SendMessageA(m_wndToolBar, TB_SETBUTTONSIZE, 0, MAKELONG(kImageWidth + 7, kImageHeight + 6));
  SendMessageA(m_wndToolBar, TB_SETINDENT, kToolBarIndent, 0);
  // Loading by resource id lets the toolbar map the image greys onto the
  // system's button colours.
  TBADDBITMAP images = {instance_, IDR_MAINFRAME};
  if (!FindResourceA(instance_, MAKEINTRESOURCEA(IDR_MAINFRAME), RT_BITMAP) ||
      SendMessageA(m_wndToolBar, TB_ADDBITMAP, kImageCount, reinterpret_cast<LPARAM>(&images)) == -1)
    return false;
  TBBUTTON buttons[sizeof kToolButtons / sizeof kToolButtons[0]] = {};
  int n = 0;
  for (const ToolButton& b : kToolButtons) {
    TBBUTTON& t = buttons[n++];
    if (b.image < 0) {
      t.fsStyle = TBSTYLE_SEP;
      continue;
    }
    t.iBitmap = b.image;
    t.idCommand = static_cast<int>(b.command);
    t.fsState = b.command == ID_TOOLBAR_SPACER ? 0 : TBSTATE_ENABLED;
    t.fsStyle = TBSTYLE_BUTTON;
    t.iString = -1;
  }
  return SendMessageA(m_wndToolBar, TB_ADDBUTTONSA, n, reinterpret_cast<LPARAM>(buttons)) != FALSE;
}

bool CMainFrame::CreateStatusBar() {
  m_wndStatusBar = CreateWindowExA(
      0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM, 0, 0, 0, 0,
      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(AFX_IDW_STATUS_BAR)), instance_,
      nullptr);
  if (!m_wndStatusBar) return false;
  // The panes take their widths from their sizing texts in the string table.
  std::string modeSizing = CommandString(ID_INDICATOR_MODE);
  std::string osSizing = CommandString(ID_INDICATOR_OS);
  if (modeSizing.empty() || osSizing.empty()) return false;
  m_cxModePane = ui::MeasureText(m_wndStatusBar, modeSizing).cx + kPanePadding;
  m_cxOsPane = ui::MeasureText(m_wndStatusBar, osSizing).cx + kPanePadding;
  SizePanes();
  ShowIdleMessage();
  return true;
}

void CMainFrame::SizePanes() {
  RECT client;
  GetClientRect(hwnd_, &client);
  int right2 = client.right;
  int right1 = right2 - m_cxOsPane - kPaneGap;
  int right0 = right1 - m_cxModePane - kPaneGap;
  int edges[3] = {right0 > 0 ? right0 : 0, right1 > 0 ? right1 : 0, -1};
  SendMessageA(m_wndStatusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
}

void CMainFrame::PlaceWindow() {
  // Far outside every screen until it is centred; the "detect" run leaves it
  // there.
  const bool centred = app_.m_strCommand != "detect";
  ui::PlaceFrame(hwnd_, kFarAway, nullptr, centred);
  if (centred) ui::CentreWindow(hwnd_);
}

void CMainFrame::LayoutChildren() {
  if (!m_wndToolBar || !m_wndStatusBar) return;
  RECT client;
  GetClientRect(hwnd_, &client);
  int top = 0, bottom = client.bottom;
  if (IsVisible(m_wndToolBar)) {
    SendMessageA(m_wndToolBar, TB_AUTOSIZE, 0, 0);
    RECT r;
    GetWindowRect(m_wndToolBar, &r);
    top = r.bottom - r.top;
  }
  if (IsVisible(m_wndStatusBar)) {
    SendMessageA(m_wndStatusBar, WM_SIZE, 0, 0);
    SizePanes();
    RECT r;
    GetWindowRect(m_wndStatusBar, &r);
    bottom -= r.bottom - r.top;
  }
  if (m_wndView.hwnd())
    MoveWindow(m_wndView.hwnd(), 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
}

void CMainFrame::OnIdleUpdate() {
  if (!hwnd_) return;
  // The first pass ends the start-up the user waits for. The Undo item's
  // state is seen only in an open menu, which updates it as it opens; the
  // timer this pass sets brings it a moment later (RunAfterFirstIdle).
  const bool first = !m_bFirstIdlePassDone;
  m_bFirstIdlePassDone = true;
  if (!first) UpdateMenuItems();
  if (IsWindowVisible(hwnd_) && IsWindowVisible(m_wndStatusBar)) {
    const int update = OnUpdateModePane();
    RunPendingApply();
    // The Apply's boxes may have seen the frame closed.
    if (!hwnd_) return;
    if (update == 2) ShowStartupNotice();
    if (!hwnd_) return;
    if (IsWindowVisible(m_wndStatusBar)) OnUpdateOsPane();
  }
  // Last, so that anyone watching the program sees by the buttons that the
  // pass has ended.
  UpdateToolBarButtons();
  if (first && hwnd_) {
    m_bAfterFirstIdlePending = true;
    SetTimer(hwnd_, kAfterFirstIdleTimer, kAfterFirstIdleMs, nullptr);
  }
}

// Once the window has been idle a moment after its first idle pass, or
// before the first message that comes sooner (PreTranslateMessage), so that
// whatever the user does first finds it done. None of it shows until a list
// opens or a menu does.
void CMainFrame::RunAfterFirstIdle() {
  if (!m_bAfterFirstIdlePending || !hwnd_) return;
  m_bAfterFirstIdlePending = false;
  KillTimer(hwnd_, kAfterFirstIdleTimer);
  m_wndView.FillLists();
  UpdateMenuItems();
  vl::TraceStep("after the first idle pass: the lists' items, the Undo item's state");
}

// An Apply asked for from the form waits for this moment of the idle pass,
// so it runs only while the status bar shows, as the framework's pane
// updates ran it. The Yes that turns a LAN Apply into Dial-Up asks for one
// more, which runs in this same pass: no message may come to start another.
void CMainFrame::RunPendingApply() {
  vl::ApplyOrigin origin;
  while (app_.TakePendingApply(&origin)) {
    OnApplyNewSettings(origin);
    if (!hwnd_ || !IsWindowVisible(m_wndStatusBar)) return;
  }
}

// The mode file's description, as the last run's Apply from the form left it.
void CMainFrame::ShowStartupNotice() {
  const std::string folder =
      vl::GetInstallFolder(app_.m_settings, *app_.sys.boxes, app_.m_strProductName);
  vl::ReadModeFile(*app_.sys.files, folder, &app_.m_strActiveConfig);
  vl::ShowStartupNotice(*app_.sys.boxes, app_.m_strProductName, &app_.m_strActiveConfig);
}

// As the framework did at every idle pass for a toolbar that shows: each
// button's state follows its command, and the spacers' command, which has
// no handler, keeps them disabled.
void CMainFrame::UpdateToolBarButtons() {
  if (!IsWindowVisible(m_wndToolBar)) return;
  for (const ToolButton& b : kToolButtons) {
    if (b.image < 0) continue;
    const bool enable = b.command != ID_TOOLBAR_SPACER;
    const bool enabled = SendMessageA(m_wndToolBar, TB_ISBUTTONENABLED, b.command, 0) != 0;
    if (enable != enabled)
      SendMessageA(m_wndToolBar, TB_ENABLEBUTTON, b.command, MAKELONG(enable, 0));
  }
}

void CMainFrame::UpdateMenuItems() {
  const bool canUndo = vl::CanUndo(app_);
  if (canUndo == m_bUndoShownEnabled) return;
  m_bUndoShownEnabled = canUndo;
  EnableMenuItem(GetMenu(hwnd_), ID_UNDO_CHANGES, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
}

int CMainFrame::OnUpdateModePane() {
  SetPaneText(1, vl::UpdateModePaneText(app_));
  // Counted before anything that opens a box, so that the notice cannot come
  // twice.
  return m_nModePaneUpdates++;
}

void CMainFrame::OnUpdateOsPane() { SetPaneText(2, vl::OsPaneText(app_.m_strOsName)); }

void CMainFrame::SetPaneText(int index, const std::string& text) {
  if (!m_wndStatusBar) return;
  // The same text again would only repaint the pane on every idle pass.
  LRESULT length = SendMessageA(m_wndStatusBar, SB_GETTEXTLENGTHA, index, 0);
  if (static_cast<size_t>(LOWORD(length)) == text.size()) {
    std::string current(text.size() + 1, '\0');
    SendMessageA(m_wndStatusBar, SB_GETTEXTA, index, reinterpret_cast<LPARAM>(&current[0]));
    current.resize(text.size());
    if (current == text) return;
  }
  WPARAM part = static_cast<WPARAM>(index) | (index == 0 ? SBT_NOBORDERS : 0);
  SendMessageA(m_wndStatusBar, SB_SETTEXTA, part, reinterpret_cast<LPARAM>(text.c_str()));
}

void CMainFrame::ShowPrompt(UINT commandId) {
  std::string text = commandId ? CommandString(commandId) : std::string();
  size_t lineEnd = text.find('\n');
  if (lineEnd != std::string::npos) text.resize(lineEnd);
  SetPaneText(0, text);
}

void CMainFrame::ShowIdleMessage() { SetPaneText(0, CommandString(IDS_IDLE_MESSAGE)); }

std::string CMainFrame::CommandString(UINT id) const { return ui::LoadResString(instance_, id); }

void CMainFrame::OnApplyNewSettings(vl::ApplyOrigin origin) {
  CApplyUi ui(hwnd_, m_wndStatusBar);
  vl::RunApplyCommand(app_, ui, origin);
}

void CMainFrame::OnRestoreOriginalSettings() { vl::RunRestoreCommand(app_); }

void CMainFrame::OnUndoChanges() {
  // As the framework does for a command whose item is grayed: nothing.
  if (!vl::CanUndo(app_)) return;
  vl::RunUndoCommand(app_, reinterpret_cast<vl::WindowHandle>(hwnd_));
}

bool CMainFrame::OnCommand(UINT id) {
  switch (id) {
    case ID_APPLY_NEW_SETTINGS:
      OnApplyNewSettings(vl::ApplyOrigin::Menu);
      return true;
    case ID_REGISTRY_BACKUP: {
      ui::ScopedWaitCursor wait;
      vl::RunRegistryBackup(app_, reinterpret_cast<vl::WindowHandle>(hwnd_));
      return true;
    }
    case ID_PING_CONFIGURATION:
      RunPingConfigDialog(app_, hwnd_);
      return true;
    case ID_FIND_MTU:
      // Once the dialog is gone and the main window enabled again, the
      // form's radio can take the focus as a user's click gives it.
      if (const unsigned mtu = RunMtuFinderDialog(app_, hwnd_)) m_wndView.UseFoundMtu(mtu);
      return true;
    case ID_RESTORE_ORIGINAL:
      OnRestoreOriginalSettings();
      return true;
    case ID_UNDO_CHANGES:
      OnUndoChanges();
      return true;
    case ID_CURRENT_SETTINGS:
      RunCurrentSettingsDialog(app_, hwnd_);
      return true;
    case ID_APP_EXIT:
      PostMessageA(hwnd_, WM_CLOSE, 0, 0);
      return true;
    case ID_VIEW_TOOLBAR:
      ToggleBar(m_wndToolBar);
      return true;
    case ID_VIEW_STATUS_BAR:
      ToggleBar(m_wndStatusBar);
      return true;
    case ID_CPL_SYSTEM:
    case ID_CPL_INTERNET:
    case ID_CPL_MODEMS:
    case ID_CPL_NETWORK:
      vl::RunControlPanel(app_, static_cast<int>(id));
      return true;
    case ID_HELP_INDEX:
      vl::HelpTopics(app_, vl::kHelpWelcome);
      return true;
    case ID_HELP_WEB_SUPPORT:
      vl::OpenWebSupport(app_);
      return true;
    case ID_APP_ABOUT:
      RunAboutBox(app_, hwnd_);
      return true;
    default:
      return false;
  }
}

void CMainFrame::ToggleBar(HWND bar) {
  ShowWindow(bar, IsVisible(bar) ? SW_HIDE : SW_SHOW);
  LayoutChildren();
}

void CMainFrame::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && !menu) {
    ShowIdleMessage();  // the menu closed
  } else if (item == 0 || (flags & (MF_SEPARATOR | MF_POPUP)) || (flags & MF_SYSMENU)) {
    SetPaneText(0, std::string());
  } else {
    ShowPrompt(item);
  }
}

void CMainFrame::OnInitMenuPopup(HMENU menu) {
  UpdateMenuItems();
  CheckMenuItem(menu, ID_VIEW_TOOLBAR,
                MF_BYCOMMAND | (IsVisible(m_wndToolBar) ? MF_CHECKED : MF_UNCHECKED));
  CheckMenuItem(menu, ID_VIEW_STATUS_BAR,
                MF_BYCOMMAND | (IsVisible(m_wndStatusBar) ? MF_CHECKED : MF_UNCHECKED));
}

bool CMainFrame::OnNotify(NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case TTN_NEEDTEXTA:
    case TTN_NEEDTEXTW: {
      // Toolbar tooltips: the command's text after "\n".
      std::string text = CommandString(static_cast<UINT>(header->idFrom));
      size_t lineEnd = text.find('\n');
      text = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
      if (header->code == TTN_NEEDTEXTA) {
        lstrcpynA(m_szTipText, text.c_str(), sizeof m_szTipText);
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->lpszText = m_szTipText;
        info->hinst = nullptr;
      } else {
        int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, m_wszTipText,
                                    sizeof m_wszTipText / sizeof m_wszTipText[0]);
        if (n <= 0) m_wszTipText[0] = L'\0';
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
        info->lpszText = m_wszTipText;
        info->hinst = nullptr;
      }
      *result = 0;
      return true;
    }
    case TBN_HOTITEMCHANGE: {
      // The pointer over a toolbar button shows its prompt, as a menu item
      // does; leaving the toolbar brings the idle message back.
      auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
      if (hot->dwFlags & HICF_LEAVING)
        ShowIdleMessage();
      else
        ShowPrompt(static_cast<UINT>(hot->idNew));
      *result = 0;
      return true;
    }
  }
  return false;
}

bool CMainFrame::PreTranslateMessage(MSG* msg) {
  if (!hwnd_) return false;
  if (m_bAfterFirstIdlePending && !IsAfterFirstIdleTimer(*msg)) RunAfterFirstIdle();
  if (m_hAccelTable && TranslateAcceleratorA(hwnd_, m_hAccelTable, msg)) return true;
  if (m_wndView.hwnd() && IsDialogMessageA(m_wndView.hwnd(), msg)) return true;
  return false;
}

LRESULT CMainFrame::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate();
    case WM_SIZE:
      LayoutChildren();
      return 0;
    case WM_SETFOCUS:
      // The form keeps the keyboard focus, as the active view did.
      if (m_wndView.hwnd()) {
        SetFocus(m_wndView.hwnd());
        return 0;
      }
      break;
    case WM_COMMAND:
      // A disabled frame has a modal window over it. Commands can still be
      // posted to it, but none may run beneath that window: no second About
      // box, no Apply or Restore while the Ping Configuration is open.
      if (!IsWindowEnabled(hwnd_)) return 0;
      if (OnCommand(LOWORD(wp))) return 0;
      break;
    case WM_VELORA_IDLE_UPDATE:
      OnIdleUpdate();
      return 0;
    case WM_TIMER:
      if (wp == kAfterFirstIdleTimer) {
        RunAfterFirstIdle();
        return 0;
      }
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(reinterpret_cast<NMHDR*>(lp), &result)) return result;
      break;
    }
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wp), HIWORD(wp), reinterpret_cast<HMENU>(lp));
      return 0;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lp)) OnInitMenuPopup(reinterpret_cast<HMENU>(wp));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return Default(msg, wp, lp);
}
