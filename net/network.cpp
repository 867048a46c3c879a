#include "net/network.h"

namespace vl {

namespace {
// RASCONNSTATE: the states below RASCS_PAUSED are the steps of a connection
// being made, the paused ones wait for the user; then come these two.
constexpr unsigned kRasConnected = 0x2000;
constexpr unsigned kRasDisconnected = 0x2001;
}  // namespace

DialUpState DialUpStateOf(unsigned rasConnState, unsigned long error) {
  if (error != 0 || rasConnState == kRasDisconnected) return DialUpState::None;
  if (rasConnState == kRasConnected) return DialUpState::Connected;
  if (rasConnState > kRasDisconnected) return DialUpState::None;
  return DialUpState::Connecting;
}

DialUpState CombineDialUp(const std::vector<DialUpState>& connections) {
  DialUpState state = DialUpState::None;
  for (DialUpState c : connections) {
    if (c == DialUpState::Connected) return c;
    if (c == DialUpState::Connecting) state = c;
  }
  return state;
}

}  // namespace vl
