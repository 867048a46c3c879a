// The companion vldetect.exe over stored ping settings of any type and bytes
// (and one registry call made to fail) and any sequence of what its window
// hands it: the line coming and going, its timers, ping outcomes of any
// ticket, status and address, the dialog's notice with new settings stored
// in between, Ping Now, a new task bar. Whatever comes:
// - the settings are what the dialog can mean: a trimmed manual host or
//   automatic mode, an interval of 1 to 60 minutes (10 in automatic mode);
// - the status line fits the tooltip, shows the interval and the state, and
//   is what the tooltip shows;
// - the icon shows exactly while a line is up or being made, turns only while
//   one is being made with the animation on, and the ping timer runs exactly
//   while a line is up, at the interval;
// - a ping starts only while a line is up, to the settings' host, with the
//   sound only when it is on; an outcome of any but the last ping started
//   changes nothing.
#include <cstdint>
#include <string>

#include "fuzz_app.h"
#include "fuzz_input.h"
#include "platform/text.h"
#include "ping/ping_settings.h"
#include "vldetect/companion.h"
#include "vldetect/status_text.h"

namespace {

using vl::DialUpState;

const char* const kValueNames[] = {"PingMode", "PingHost", "PingInterval", "PingSound",
                                   "TaskBarAni"};

class Line : public vl::INetwork {
 public:
  DialUpState DialUp() override { return state; }
  bool QueryAddresses(vl::ConnectionAddresses*) override { return false; }
  bool Lookup(const std::string&, vl::Ipv4*) override { return false; }
  vl::EchoResult Echo(const vl::Ipv4&, unsigned) override { return {}; }
  DialUpState state = DialUpState::None;
};

class Window : public vl::ICompanionHost {
 public:
  void SetTimer(unsigned id, unsigned ms) override {
    FUZZ_REQUIRE(id >= vl::kCheckTimer && id <= vl::kAnimationTimer);
    timers[id] = ms;
  }
  void KillTimer(unsigned id) override { timers[id] = 0; }
  void ShowTrayIcon(int iconId, const std::string& text) override {
    icon = iconId;
    tip = text;
  }
  void RemoveTrayIcon() override { icon = 0; }
  void SetStatus(const std::string& text) override { status = text; }
  bool StartPing(const vl::PingTarget& target, unsigned ticket) override {
    ++pingCalls;
    lastTarget = target;
    inFlight = canStart;
    flightTicket = ticket;
    staleFlight = false;
    return canStart;
  }
  void PlayPingSound() override { ++sounds; }

  unsigned timers[4] = {};  // by id; 0: not running
  int icon = 0;
  std::string tip;
  std::string status;
  int pingCalls = 0;
  vl::PingTarget lastTarget;
  bool canStart = true;
  // The ping under way, and whether its host or line has gone since.
  bool inFlight = false;
  unsigned flightTicket = 0;
  bool staleFlight = false;
  int sounds = 0;
};

std::string PingKey() {
  return "HKLM\\" + std::string(vl::kSettingsBaseKey) + "\\" + vl::Scramble(vl::kPingSubkey, false);
}

// One of the five values, stored as the dialog stores it or as anything else:
// any bytes, or one byte over and over past the 1000 bytes a read takes.
void StoreValue(fuzz::Input& in, fuzz::FastRegistry& reg) {
  static const std::string key = PingKey();
  const uint8_t pick = in.Byte();
  const std::string name = vl::Scramble(kValueNames[pick % 5], false);
  if (pick & 0x80) {
    const uint32_t type = in.Byte() & 7;
    const uint8_t length = in.Byte();
    reg.Put(key, name, type,
            length < 200 ? in.Bytes(length) : std::string((length - 200) * 20u, in.Byte()));
  } else {
    std::string text = in.CleanText();
    if (!(pick & 0x40)) text = vl::Scramble(text, true);
    reg.PutSz(key, name, text);
  }
}

void CheckSettings(const vl::CompanionSettings& s) {
  FUZZ_REQUIRE(s.automatic == s.host.empty());
  FUZZ_REQUIRE(s.host == vl::TrimBlanks(s.host));
  FUZZ_REQUIRE(s.intervalMinutes >= 1 && s.intervalMinutes <= 60);
  if (s.automatic) FUZZ_REQUIRE(s.intervalMinutes == vl::kAutomaticIntervalMinutes);
}

// The status line of any host, interval and state: within the tooltip, the
// whole line where it fits, else the host cut short before "...".
void CheckStatusText(const std::string& host, unsigned minutes, const std::string& state) {
  const std::string text = vl::StatusText(host, minutes, state);
  const std::string interval =
      minutes == 1 ? "every minute" : "every " + std::to_string(minutes) + " minutes";
  const std::string whole = host + ", " + interval + ": " + state;
  FUZZ_REQUIRE(text.size() <= vl::kStatusTextMax);
  if (whole.size() <= vl::kStatusTextMax) {
    FUZZ_REQUIRE(text == whole);
    return;
  }
  // The host keeps what leaves room for "..." and the rest of the line.
  const std::string rest = whole.substr(host.size());
  const size_t kept = rest.size() + 3 < vl::kStatusTextMax ? vl::kStatusTextMax - rest.size() - 3 : 0;
  FUZZ_REQUIRE(text.size() == vl::kStatusTextMax);
  FUZZ_REQUIRE(text.compare(0, kept, host, 0, kept) == 0 && text.compare(kept, 3, "...") == 0);
  FUZZ_REQUIRE(rest.compare(0, text.size() - kept - 3, text, kept + 3, std::string::npos) == 0);
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void CheckWindow(const vl::Companion& c, const Window& w) {
  const vl::CompanionSettings& s = c.Settings();
  CheckSettings(s);
  FUZZ_REQUIRE(w.status == c.Status());
  FUZZ_REQUIRE(c.Status().size() <= vl::kStatusTextMax);
  FUZZ_REQUIRE(w.timers[vl::kCheckTimer] == vl::kConnectionCheckMs);
  const bool up = c.State() == DialUpState::Connected;
  const bool connecting = c.State() == DialUpState::Connecting;
  FUZZ_REQUIRE(w.timers[vl::kPingTimer] == (up ? s.intervalMinutes * 60000u : 0u));
  FUZZ_REQUIRE((w.timers[vl::kAnimationTimer] != 0) == (connecting && s.animate));
  FUZZ_REQUIRE((w.icon != 0) == (c.State() != DialUpState::None));
  if (w.icon != 0) FUZZ_REQUIRE(w.tip == c.Status());
  // The state's tail always fits the tooltip; only the host is cut short.
  if (c.State() == DialUpState::None)
    FUZZ_REQUIRE(EndsWith(c.Status(), std::string(": ") + vl::kStateNotConnected));
  if (connecting) FUZZ_REQUIRE(EndsWith(c.Status(), std::string(": ") + vl::kStateConnecting));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  static fuzz::FuzzApp f;
  const uint16_t failingCall = in.Word();
  const long statuses[] = {vl::kErrorAccessDenied, vl::kErrorFileNotFound, vl::kErrorMoreData};
  const long status = statuses[in.Byte() % 3];
  for (int values = in.Byte() % 8; values > 0; --values) StoreValue(in, f.reg);
  f.FailNthCall(failingCall, status);

  Line line;
  Window window;
  vl::Companion companion(f.app.m_settings, line, window);
  companion.Start();
  CheckWindow(companion, window);

  while (!in.empty()) {
    const uint8_t op = in.Byte();
    const int pingsBefore = window.pingCalls;
    const int soundsBefore = window.sounds;
    // Each event by the low four bits; the notice, which has the settings
    // read anew, comes as often as a real dialog would send it: seldom.
    switch (op % 16) {
      case 0: case 1: case 2: {
        const DialUpState states[] = {DialUpState::None, DialUpState::Connecting,
                                      DialUpState::Connected};
        line.state = states[(op >> 4) % 3];
        companion.OnTimer(vl::kCheckTimer);
        break;
      }
      case 3: case 4: companion.OnTimer(vl::kPingTimer); break;
      case 5: companion.OnTimer(vl::kAnimationTimer); break;
      case 6: case 7: case 8: {
        if (!window.inFlight) break;
        window.inFlight = false;
        vl::PingOutcome outcome;
        outcome.status = static_cast<vl::PingOutcome::Status>(in.Byte() % 5);
        outcome.roundTripMs = in.Word();
        outcome.address = in.CleanText();
        CheckStatusText(outcome.address, 1 + in.Byte() % 60, vl::OutcomeText(outcome));
        const std::string shown = window.status;
        companion.OnPingDone(window.flightTicket, outcome);
        // An outcome for a host or line gone by is dropped; any other shows.
        if (window.staleFlight)
          FUZZ_REQUIRE(window.status == shown);
        else if (outcome.status != vl::PingOutcome::NotConnected)
          FUZZ_REQUIRE(EndsWith(window.status, ": " + vl::OutcomeText(outcome)));
        break;
      }
      case 9: {
        if (op & 0x80) StoreValue(in, f.reg);
        const bool own = !(op & 0x40);
        const uintptr_t wParam = own ? vl::kPingNoticeParam : in.Byte();
        const intptr_t lParam = own ? vl::kPingNoticeParam : static_cast<int8_t>(in.Byte());
        const vl::CompanionSettings before = companion.Settings();
        const bool reread = companion.OnSettingsNotice(wParam, lParam);
        FUZZ_REQUIRE(reread == (wParam == 123 && lParam == 123));
        const vl::CompanionSettings& now = companion.Settings();
        if (!reread) FUZZ_REQUIRE(now.host == before.host && now.intervalMinutes == before.intervalMinutes);
        if (now.automatic != before.automatic || now.host != before.host) window.staleFlight = true;
        break;
      }
      case 10: case 11: companion.PingNow(); break;
      case 12: companion.OnTaskbarCreated(); break;
      case 13: window.canStart = !window.canStart; break;
      default: companion.OnTimer(vl::kCheckTimer); break;  // the line as it was
    }
    if (companion.State() != DialUpState::Connected) window.staleFlight = true;
    if (window.pingCalls != pingsBefore) {
      const vl::CompanionSettings& s = companion.Settings();
      FUZZ_REQUIRE(companion.State() == DialUpState::Connected);
      FUZZ_REQUIRE(window.lastTarget.automatic == s.automatic && window.lastTarget.host == s.host);
      FUZZ_REQUIRE(window.sounds == soundsBefore + (s.sound && window.canStart ? 1 : 0));
    } else {
      FUZZ_REQUIRE(window.sounds == soundsBefore);
    }
    CheckWindow(companion, window);
  }

  companion.Stop();
  for (unsigned ms : window.timers) FUZZ_REQUIRE(ms == 0);
  FUZZ_REQUIRE(window.icon == 0);
  FUZZ_REQUIRE(f.reg.OpenHandles() == 0 || failingCall != 0);
  f.Reset();
  return 0;
}
