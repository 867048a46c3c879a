// The companion's behaviour apart from its window: it watches the dial-up
// connections, shows the tray icon while one is up, pings once per interval
// while one is connected, and re-reads its settings on the dialog's notice.
// Timers and messages drive it; nothing here waits.
#pragma once
#include <cstdint>
#include <string>

#include "vldetect/companion_settings.h"
#include "net/network.h"
#include "vldetect/ping_once.h"

namespace vl {

class SettingsStore;

constexpr unsigned kCheckTimer = 1;      // looks at the dial-up connections
constexpr unsigned kPingTimer = 2;       // one ping per interval while connected
constexpr unsigned kAnimationTimer = 3;  // turns the icon while connecting
// A connection that comes or goes is seen within this time; the check is a
// cheap question to the dial-up networking, and the slowest pace that still
// shows a connection being made.
constexpr unsigned kConnectionCheckMs = 2000;
constexpr unsigned kAnimationFrameMs = 250;

extern const char kAutomaticHostShown[];  // "Automatic", until a host is chosen

// What the companion needs of its window and the system.
class ICompanionHost {
 public:
  virtual ~ICompanionHost() = default;
  virtual void SetTimer(unsigned id, unsigned ms) = 0;  // starts or restarts it
  virtual void KillTimer(unsigned id) = 0;
  // Shows the tray icon with this icon resource and tooltip, adding it when
  // the shell does not have it (yet, or any more).
  virtual void ShowTrayIcon(int iconId, const std::string& tip) = 0;
  virtual void RemoveTrayIcon() = 0;
  // The status line: the tooltip's text, kept also while no icon shows.
  virtual void SetStatus(const std::string& text) = 0;
  // Runs PingOnce away from the window's thread; its outcome comes back
  // through Companion::OnPingDone with the same ticket. False when it could
  // not be started.
  virtual bool StartPing(const PingTarget& target, unsigned ticket) = 0;
  virtual void PlayPingSound() = 0;  // the system's default sound
};

class Companion {
 public:
  Companion(SettingsStore& store, INetwork& net, ICompanionHost& host)
      : store_(store), net_(net), host_(host) {}

  void Start();
  // Before the window goes: timers stopped, icon removed.
  void Stop();

  // The Ping Configuration dialog's notice: re-reads the settings when both
  // parameters are 123, and says whether it did.
  bool OnSettingsNotice(uintptr_t wParam, intptr_t lParam);
  void OnTimer(unsigned id);
  void OnPingDone(unsigned ticket, const PingOutcome& outcome);
  // The shell's task bar was made anew: the icon must be added again.
  void OnTaskbarCreated() { Refresh(); }

  // The menu's Ping Now: a ping at once, and the next one an interval later.
  void PingNow();
  bool CanPingNow() const { return state_ == DialUpState::Connected && !pinging_; }

  DialUpState State() const { return state_; }
  const CompanionSettings& Settings() const { return settings_; }
  const std::string& Status() const { return status_; }

 private:
  bool CheckConnection();  // true when the state changed
  void Ping();
  void StartPingTimer();
  void UpdateAnimation();
  void Refresh();

  SettingsStore& store_;
  INetwork& net_;
  ICompanionHost& host_;

  CompanionSettings settings_;
  DialUpState state_ = DialUpState::None;
  std::string lastResult_;  // while connected: the last outcome, or "no ping yet"
  std::string chosen_;      // automatic mode: the host the last ping chose
  std::string status_;
  unsigned ticket_ = 0;     // outcomes of older tickets are out of date
  bool pinging_ = false;
  bool animating_ = false;
  bool iconShown_ = false;
  int frame_ = 0;
};

// How a start finds a companion that runs already.
enum class MutexResult { Created, AlreadyExists, AccessDenied, Failed };
class IInstanceProbe {
 public:
  virtual ~IInstanceProbe() = default;
  // CreateMutexA with the companion's name; the mutex is held as long as the
  // process lives.
  virtual MutexResult CreateInstanceMutex() = 0;
  // FindWindowA with the companion's window name.
  virtual bool CompanionWindowExists() = 0;
};
// Whether this start is the only one, asked before anything else is made. A
// mutex held by another user's companion is refused on NT, and counts; where
// none can be made, the window decides.
bool IsFirstInstance(IInstanceProbe& probe);

// velora.exe beside the companion: what the menu's Ping Configuration starts.
std::string ProgramBeside(const std::string& modulePath, const std::string& name);

}  // namespace vl
