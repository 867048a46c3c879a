// The Apply command: validation, LAN questions, paced progress with the
// writer at step 75, the restart question and the restart.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system.h"
#include "state/app_state.h"
#include "tuning/apply_pace.h"

namespace vl {

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
  virtual void StepIt() = 0;  // and repaint, since no messages run meanwhile
  virtual void DestroyProgress() = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
};

// The Apply asked for from `origin`: validation, the LAN questions, the
// paced progress with the writer at step 75, and the restart. An Apply that
// records its mode (RecordsModeFile) writes the mode file once the settings
// stand. The LAN questions' "No, Yes" leaves a Dial-Up Apply pending in
// m_bApplyPending instead of writing anything.
void RunApplyCommand(AppState& app, IApplyUi& ui, ApplyOrigin origin);

// The restart step of both families; `owner` owns the error box.
void RestartComputer(AppState& app, WindowHandle owner);
// The end of a change that stands: the restart question, then the restart or
// the reminder. A `note` on the change (what this Windows ignores) is told
// in the question.
void OfferRestart(AppState& app, WindowHandle owner, const std::string& note = "");

// The texts of the command.
extern const char kNoModeSelected[];
extern const char kInvalidMtuEmpty[];
extern const char kInvalidTtlEmpty[];
extern const char kInvalidMtuLow[];
extern const char kRestartReminder[];
extern const char kRestartErrorCaption[];
// An Apply from the form wrote the settings but not the mode file.
extern const char kModeFileFailed[];
// A change stopped before it touched anything: its record could not be
// kept, or TCP/IP is not there to tune.
extern const char kChangeNotRecorded[];
extern const char kTcpipNotInstalled[];
std::string LanQuestion();
std::string LanSecondQuestion(const std::string& productName);
std::string RestartQuestion(const std::string& productName, const std::string& note = "");
std::string RestartError(const std::string& productName);
// What the user is told when the settings were not written; `unbound` names
// the adapters of that kind that TCP/IP is not bound to.
std::string NoAdapterMessage(int configMode, const std::vector<std::string>& unbound = {});
// The sentence the end of an Apply adds where Windows sizes the receive
// window itself.
extern const char kReceiveWindowIgnored[];
std::string WriteFailedMessage(int configMode);

}  // namespace vl
