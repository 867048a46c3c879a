// The application object: the shared state of the Parts plus the Win32
// platform it runs on.
#pragma once
#include <windows.h>

#include <memory>

#include "state/app_state.h"
#include "app/win/companion_start.h"
#include "platform/win/win_platform.h"

class CMainFrame;

class CVeloraApp : public vl::AppState {
 public:
  CVeloraApp();
  ~CVeloraApp();
  // Start-up; FALSE ends the program at once.
  BOOL InitInstance();
  // The message loop of a normal run; returns the exit code.
  int Run();

  CMainFrame* MainFrame() const { return static_cast<CMainFrame*>(m_pMainFrame); }
  // The frame's window is gone: the frame is freed and forgotten.
  void OnMainFrameGone(CMainFrame* frame);

  HINSTANCE m_hInstance = nullptr;

  vl::WinRegistry m_registry;
  vl::WinMessageBoxes m_boxes;
  vl::WinShell m_shell;
  vl::WinFiles m_files;
  vl::WinPacer m_pacer;
  vl::WinRestart m_restart;
  vl::WinClock m_clock;
  vl::WinIpInterfaces m_ipInterfaces;
  // The shell while start-up runs: the companion starts beside the window's
  // creation.
  CStartupShell m_startupShell{m_shell};

 private:
  // The main window's object while its window lives; m_pMainFrame is the
  // same object, set only once its creation succeeded.
  std::unique_ptr<CMainFrame> m_frame;
};

extern CVeloraApp theApp;
