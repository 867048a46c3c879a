// The application object: the shared state of the Parts plus the Win32
// platform it runs on, and the main window.
#pragma once
#include <windows.h>

#include "app/win/companion_start.h"
#include "app/win/main_frame.h"
#include "platform/win/win_platform.h"
#include "state/app_state.h"

class CVeloraApp : public vl::AppState {
 public:
  CVeloraApp();
  ~CVeloraApp();
  // Start-up; FALSE ends the program at once.
  BOOL InitInstance();
  // The message loop of a normal run; returns the exit code.
  int Run();

  // The main window's object while its window lives, else null.
  CMainFrame* MainFrame() const { return static_cast<CMainFrame*>(m_pMainFrame); }

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
  // Made once, in start-up; its window lives until the user closes it.
  CMainFrame m_wndMainFrame{*this};
};

extern CVeloraApp theApp;
