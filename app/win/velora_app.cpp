#include "app/win/velora_app.h"

#include <commctrl.h>

#include "app/startup.h"
#include "links/win/about_dlg.h"
#include "ping/win/ping_dlg.h"
#include "runtime/win/startup_trace.h"
#include "ui/message_loop.h"

CVeloraApp theApp;

CVeloraApp::CVeloraApp() {
  sys.registry = &m_registry;
  sys.boxes = &m_boxes;
  sys.shell = &m_shell;
  sys.files = &m_files;
  sys.pacer = &m_pacer;
  sys.restart = &m_restart;
  sys.clock = &m_clock;
  sys.ipInterfaces = &m_ipInterfaces;
  m_settings.Attach(&m_registry);
}

CVeloraApp::~CVeloraApp() = default;

BOOL CVeloraApp::InitInstance() {
  // The toolbar, the status bar, the tooltips, the Apply's progress bar and
  // the Current Settings list: the classes the program uses, and no more to
  // register.
  INITCOMMONCONTROLSEX icc = {sizeof icc,
                              ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
  // A comctl32 that refuses one of them still registers every class it has
  // through the older call.
  if (!InitCommonControlsEx(&icc)) InitCommonControls();
  vl::TraceStep("common controls registered");

  sys.shell = &m_startupShell;
  vl::StartupAction action = vl::RunStartup(*this, GetCommandLineA());
  sys.shell = &m_shell;
  switch (action) {
    case vl::StartupAction::End:
      return FALSE;
    case vl::StartupAction::AboutBox:
      RunAboutBox(*this);
      return TRUE;
    case vl::StartupAction::PingDialog:
      RunPingConfigDialog(*this);
      return TRUE;
    case vl::StartupAction::MainWindow:
      break;
  }

  if (!m_wndMainFrame.CreateFrame(m_hInstance)) return FALSE;
  vl::TraceStep("frame with its bars and form created");
  CMainFrame* frame = &m_wndMainFrame;
  std::string caption = " " + m_strProductName + " " + m_strVersion;
  SetWindowTextA(frame->hwnd(), caption.c_str());
  m_nConfigMode = vl::ModeNone;
  m_bApplyPending = false;
  ShowWindow(frame->hwnd(), m_strCommand == "detect" ? SW_HIDE : SW_SHOW);
  vl::TraceStep("caption set, window shown");
  UpdateWindow(frame->hwnd());
  vl::TraceStep("first paint");
  return TRUE;
}

int CVeloraApp::Run() {
  CMainFrame* frame = MainFrame();
  if (!frame || !frame->hwnd()) return 0;
  ui::MessageLoopArgs args;
  args.onIdle = [] {
    if (CMainFrame* f = theApp.MainFrame()) SendMessageA(f->hwnd(), WM_VELORA_IDLE_UPDATE, TRUE, 0);
    vl::TraceStep("first idle pass: pane texts");
  };
  args.preTranslate = [](MSG* msg) {
    CMainFrame* f = theApp.MainFrame();
    return f && f->PreTranslateMessage(msg);
  };
  args.isQuiet = [](const MSG& msg) {
    CMainFrame* f = theApp.MainFrame();
    return f && f->IsAfterFirstIdleTimer(msg);
  };
  int code = ui::RunMessageLoop(args);
  // A quit that came from elsewhere leaves the window up.
  if (CMainFrame* f = MainFrame()) DestroyWindow(f->hwnd());
  return code;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  vl::TraceStep("WinMain entered: the program and its DLLs loaded");
  theApp.m_hInstance = instance;
  int code = theApp.InitInstance() ? theApp.Run() : 0;
  theApp.m_startupShell.Wait();
  vl::TraceEnd();
  return code;
}
