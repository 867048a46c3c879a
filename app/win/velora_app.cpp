#include "app/win/velora_app.h"

#include <commctrl.h>

#include "app/startup.h"
#include "app/win/main_frame.h"
#include "links/win/about_dlg.h"
#include "ping/win/ping_dlg.h"
#include "ui/message_loop.h"

CVeloraApp theApp;

CVeloraApp::CVeloraApp() {
  sys.registry = &m_registry;
  sys.boxes = &m_boxes;
  sys.shell = &m_shell;
  sys.files = &m_files;
  sys.pacer = &m_pacer;
  sys.restart = &m_restart;
  m_settings.Attach(&m_registry);
}

BOOL CVeloraApp::InitInstance() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  switch (vl::RunStartup(*this, GetCommandLineA())) {
    case vl::StartupAction::End:
      return FALSE;
    case vl::StartupAction::AboutBox:
      RunAboutBox();
      return TRUE;
    case vl::StartupAction::PingDialog:
      RunPingConfigDialog();
      return TRUE;
    case vl::StartupAction::MainWindow:
      break;
  }

  CMainFrame* frame = CMainFrame::CreateFrame();
  if (!frame) return FALSE;
  std::string caption = " " + m_strProductName + " " + m_strVersion;
  SetWindowTextA(frame->hwnd(), caption.c_str());
  m_nConfigMode = vl::ModeNone;
  m_bApplyPending = false;
  ShowWindow(frame->hwnd(), m_strCommand == "detect" ? SW_HIDE : SW_SHOW);
  UpdateWindow(frame->hwnd());
  return TRUE;
}

int CVeloraApp::Run() {
  CMainFrame* frame = MainFrame();
  if (!frame || !frame->hwnd()) return 0;
  ui::MessageLoopArgs args;
  args.onIdle = [] {
    if (CMainFrame* f = theApp.MainFrame()) f->OnIdleUpdate();
  };
  args.preTranslate = [](MSG* msg) {
    CMainFrame* f = theApp.MainFrame();
    return f && f->PreTranslateMessage(msg);
  };
  return ui::RunMessageLoop(args);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  theApp.m_hInstance = instance;
  if (!theApp.InitInstance()) return 0;
  return theApp.Run();
}
