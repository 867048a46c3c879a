#include "vldetect/ping_once.h"

#include "net/host_choice.h"

namespace vl {

PingOutcome PingOnce(const PingTarget& target, INetwork& net, IRegistry& reg, unsigned timeoutMs) {
  PingOutcome outcome;
  // Asked again here, right before the lookup: the connection may have ended
  // since the window last looked.
  if (net.DialUp() != DialUpState::Connected) return outcome;

  Ipv4 address;
  if (target.automatic) {
    outcome.address = ChooseAutomaticHost(net, reg);
    if (!ParseIpv4(outcome.address, &address)) {
      outcome.status = PingOutcome::HostNotFound;
      return outcome;
    }
  } else if (!ParseIpv4(target.host, &address) && !net.Lookup(target.host, &address)) {
    outcome.status = PingOutcome::HostNotFound;
    return outcome;
  }

  const EchoResult echo = net.Echo(address, timeoutMs);
  switch (echo.kind) {
    case EchoResult::Reply:
      outcome.status = PingOutcome::Reply;
      outcome.roundTripMs = echo.roundTripMs;
      break;
    case EchoResult::NoReply: outcome.status = PingOutcome::NoReply; break;
    case EchoResult::Unavailable: outcome.status = PingOutcome::Unavailable; break;
  }
  return outcome;
}

}  // namespace vl
