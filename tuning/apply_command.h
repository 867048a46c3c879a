// The Apply command: validation, LAN questions, paced progress with the
// writer at step 75, the restart question and the restart.
#pragma once
#include "platform/system.h"

namespace vl {
struct AppState;

// What the command needs of the main window.
class IApplyUi {
 public:
  virtual ~IApplyUi() = default;
  virtual WindowHandle Owner() = 0;  // the main frame, owner of every box
  // The progress bar over the first status-bar pane.
  virtual void CreateProgress() = 0;
  virtual void ShowProgress() = 0;
  virtual void SetRange(int low, int high) = 0;
  virtual void SetStep(int step) = 0;
  virtual void SetPos(int pos) = 0;
  virtual void StepIt() = 0;  // and repaint
  virtual void DestroyProgress() = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
};

// `deferred`: reached through the form's Apply button at a pane update; then
// the mode file is written once the settings are.
void RunApplyCommand(AppState& app, IApplyUi& ui, bool deferred);

}  // namespace vl
