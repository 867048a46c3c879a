// One ping of the companion, from the connection check to the echo. It runs
// away from the window's thread, since a lookup and an echo may each take
// seconds.
#pragma once
#include <string>

#include "net/network.h"

namespace vl {

class IRegistry;

// A few seconds: a reply that takes longer does not keep a line alive better.
constexpr unsigned kEchoTimeoutMs = 3000;

struct PingTarget {
  bool automatic = true;
  std::string host;  // manual mode: a name or a dotted address
};

struct PingOutcome {
  enum Status { Reply, NoReply, HostNotFound, NotConnected, Unavailable } status = NotConnected;
  unsigned roundTripMs = 0;
  std::string address;  // the address pinged or, in automatic mode, chosen
};

// Pings the target once, but only while a dial-up connection is up: without
// one, nothing is looked up and nothing is sent, so Windows never dials for
// it. A dotted address is pinged as it is; a name is looked up first.
PingOutcome PingOnce(const PingTarget& target, INetwork& net, IRegistry& reg,
                     unsigned timeoutMs = kEchoTimeoutMs);

}  // namespace vl
