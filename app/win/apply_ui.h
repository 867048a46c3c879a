// The Apply command's view of the main window: boxes owned by the frame, the
// progress bar over the first status-bar pane, the wait cursor.
#pragma once
#include <windows.h>

#include "app/win/status_progress.h"
#include "tuning/apply_command.h"

class CApplyUi : public vl::IApplyUi {
 public:
  CApplyUi(HWND frame, HWND statusBar) : frame_(frame), statusBar_(statusBar) {}
  vl::WindowHandle Owner() override { return reinterpret_cast<vl::WindowHandle>(frame_); }
  void CreateProgress() override;
  void ShowProgress() override;
  void SetRange(int low, int high) override;
  void SetStep(int step) override;
  void SetPos(int pos) override;
  void StepIt() override;
  void DestroyProgress() override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;

 private:
  HWND frame_;
  HWND statusBar_;
  CStatusProgressCtrl m_wndProgress;
  HCURSOR previousCursor_ = nullptr;
};
