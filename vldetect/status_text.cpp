#include "vldetect/status_text.h"

namespace vl {

const char kStateNotConnected[] = "not connected";
const char kStateConnecting[] = "connecting";
const char kStateNoPingYet[] = "no ping yet";

std::string OutcomeText(const PingOutcome& outcome) {
  switch (outcome.status) {
    case PingOutcome::Reply:
      return outcome.roundTripMs == 0 ? "reply in <1 ms"
                                      : "reply in " + std::to_string(outcome.roundTripMs) + " ms";
    case PingOutcome::NoReply: return "no reply";
    case PingOutcome::HostNotFound: return "host not found";
    case PingOutcome::NotConnected: return kStateNotConnected;
    case PingOutcome::Unavailable: return "cannot ping here";
  }
  return std::string();
}

std::string StatusText(const std::string& host, unsigned intervalMinutes,
                       const std::string& state) {
  const std::string interval = intervalMinutes == 1
                                   ? "every minute"
                                   : "every " + std::to_string(intervalMinutes) + " minutes";
  const std::string tail = ", " + interval + ": " + state;
  const char kCut[] = "...";
  std::string shown = host;
  if (shown.size() + tail.size() > kStatusTextMax) {
    const size_t room = kStatusTextMax > tail.size() + sizeof kCut - 1
                            ? kStatusTextMax - tail.size() - (sizeof kCut - 1)
                            : 0;
    shown = shown.substr(0, room) + kCut;
  }
  return (shown + tail).substr(0, kStatusTextMax);
}

}  // namespace vl
