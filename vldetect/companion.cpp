#include "vldetect/companion.h"

#include "tray/tray.h"
#include "vldetect/status_text.h"

namespace vl {

const char kAutomaticHostShown[] = "Automatic";

void Companion::Start() {
  settings_ = ReadCompanionSettings(store_);
  host_.SetTimer(kCheckTimer, kConnectionCheckMs);
  if (!CheckConnection()) Refresh();
}

void Companion::Stop() {
  for (unsigned id : {kCheckTimer, kPingTimer, kAnimationTimer}) host_.KillTimer(id);
  animating_ = false;
  if (iconShown_) host_.RemoveTrayIcon();
  iconShown_ = false;
}

bool Companion::OnSettingsNotice(uintptr_t wParam, intptr_t lParam) {
  if (wParam != static_cast<uintptr_t>(kPingNoticeParam) || lParam != kPingNoticeParam)
    return false;
  const CompanionSettings old = settings_;
  settings_ = ReadCompanionSettings(store_);
  if (old.automatic != settings_.automatic || old.host != settings_.host) {
    // A ping on its way went to the old host; its outcome would be misread.
    ++ticket_;
    chosen_.clear();
    if (state_ == DialUpState::Connected) lastResult_ = kStateNoPingYet;
  }
  if (state_ == DialUpState::Connected && old.intervalMinutes != settings_.intervalMinutes)
    StartPingTimer();
  UpdateAnimation();
  Refresh();
  return true;
}

void Companion::OnTimer(unsigned id) {
  switch (id) {
    case kCheckTimer: CheckConnection(); break;
    case kPingTimer: Ping(); break;
    case kAnimationTimer:
      frame_ = (frame_ + 1) % kTrayFrameCount;
      Refresh();
      break;
  }
}

void Companion::OnPingDone(unsigned ticket, const PingOutcome& outcome) {
  pinging_ = false;
  if (ticket != ticket_) return;
  if (outcome.status == PingOutcome::NotConnected) {
    // The line went between the window's last look and the ping.
    CheckConnection();
    return;
  }
  lastResult_ = OutcomeText(outcome);
  if (settings_.automatic) chosen_ = outcome.address;
  Refresh();
}

void Companion::PingNow() {
  if (!CanPingNow()) return;
  Ping();
  StartPingTimer();
}

bool Companion::CheckConnection() {
  const DialUpState now = net_.DialUp();
  if (now == state_) return false;
  state_ = now;
  if (now == DialUpState::Connected) {
    lastResult_ = kStateNoPingYet;
    StartPingTimer();
  } else {
    host_.KillTimer(kPingTimer);
    lastResult_.clear();
    chosen_.clear();
    ++ticket_;
  }
  UpdateAnimation();
  Refresh();
  return true;
}

void Companion::Ping() {
  if (state_ != DialUpState::Connected || pinging_) return;
  pinging_ = host_.StartPing(PingTarget{settings_.automatic, settings_.host}, ticket_);
  if (pinging_ && settings_.sound) host_.PlayPingSound();
}

void Companion::StartPingTimer() {
  host_.SetTimer(kPingTimer, settings_.intervalMinutes * 60u * 1000u);
}

void Companion::UpdateAnimation() {
  const bool run = state_ == DialUpState::Connecting && settings_.animate;
  if (run && !animating_) host_.SetTimer(kAnimationTimer, kAnimationFrameMs);
  if (!run && animating_) host_.KillTimer(kAnimationTimer);
  if (!run) frame_ = 0;
  animating_ = run;
}

void Companion::Refresh() {
  const std::string shownHost = !settings_.automatic ? settings_.host
                                : chosen_.empty()    ? std::string(kAutomaticHostShown)
                                                     : chosen_;
  const std::string state = state_ == DialUpState::None         ? std::string(kStateNotConnected)
                            : state_ == DialUpState::Connecting ? std::string(kStateConnecting)
                                                                : lastResult_;
  const std::string status = StatusText(shownHost, settings_.intervalMinutes, state);
  if (status != status_) host_.SetStatus(status);
  status_ = status;
  if (state_ == DialUpState::None) {
    if (iconShown_) host_.RemoveTrayIcon();
    iconShown_ = false;
    return;
  }
  host_.ShowTrayIcon(kTrayFrames[frame_], status_);
  iconShown_ = true;
}

bool IsFirstInstance(IInstanceProbe& probe) {
  switch (probe.CreateInstanceMutex()) {
    case MutexResult::AlreadyExists:
    case MutexResult::AccessDenied: return false;
    case MutexResult::Created:
    case MutexResult::Failed: break;
  }
  // A companion of an older kind holds no mutex, but it has the window.
  return !probe.CompanionWindowExists();
}

std::string ProgramBeside(const std::string& modulePath, const std::string& name) {
  const size_t slash = modulePath.find_last_of("\\/");
  return (slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1)) + name;
}

}  // namespace vl
