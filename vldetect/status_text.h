// The line the tray icon's tooltip shows: the host, the interval and the
// last result, as in "10.0.0.1, every 10 minutes: reply in 120 ms".
#pragma once
#include <string>

#include "vldetect/ping_once.h"

namespace vl {

// The first tooltip layout holds 63 characters and its terminating zero.
constexpr size_t kStatusTextMax = 63;

extern const char kStateNotConnected[];  // "not connected"
extern const char kStateConnecting[];    // "connecting"
extern const char kStateNoPingYet[];     // "no ping yet"

// "reply in 120 ms", "no reply", "host not found", ...
std::string OutcomeText(const PingOutcome& outcome);

// "<host>, every <n> minutes: <state>", the host shortened with "..." where
// the whole would not fit the tooltip.
std::string StatusText(const std::string& host, unsigned intervalMinutes, const std::string& state);

}  // namespace vl
