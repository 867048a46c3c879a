// The path MTU probe: echo requests with Don't Fragment set, at sizes chosen
// by bisection between the least MTU every link carries and the local
// interface's MTU, until the largest packet that reaches the host unsplit is
// known. It never makes Windows dial: it looks a name up and sends only while
// a connection is up. It runs away from the window's thread (a lookup and an
// echo may each take seconds) and tells each echo's outcome as it comes.
#pragma once
#include <string>

#include "net/path_network.h"

namespace vl {

// Every IP link carries 68 bytes (RFC 791).
constexpr unsigned kMinMtu = 68;
// Ethernet's, where the interface's MTU cannot be read.
constexpr unsigned kAssumedLocalMtu = 1500;
// The largest IP packet there is.
constexpr unsigned kMaxIpPacket = 65535;
// What an echo request of N bytes of data becomes on the wire: the IP
// header (20 bytes) and the ICMP header (8) around it.
constexpr unsigned kEchoOverhead = 28;
// A 1500-byte echo and its answer over a 28.8k modem take about a second.
constexpr unsigned kProbeTimeoutMs = 2000;
// A size that gets no answer is tried once more before it counts as lost.
constexpr int kTriesPerSize = 2;
// Jumps to a size a router named; after these, plain bisection, so that
// routers naming sizes one byte apart cannot keep the probe going.
constexpr int kMaxJumps = 2;
// The most echo requests one probe sends: the local MTU, the size above it or
// the least MTU, a bisection of up to 65535 sizes (16 steps) and the jumps,
// each size tried up to twice.
constexpr int kMaxProbeEchoes = kTriesPerSize * (2 + 16 + kMaxJumps);

// One echo's outcome, as the list of probes shows it.
struct ProbeStep {
  enum Kind {
    Passed,     // the echo came back whole
    TooBig,     // a router (or this machine) said it needs fragmenting
    NoAnswer,   // nothing came back within the timeout
    Refused,    // this machine's stack would not send it
    Unreachable // the network says there is no way to the host
  } kind = NoAnswer;
  unsigned size = 0;          // the whole IP packet, in bytes
  std::string by;             // the dotted address that answered, or empty
  unsigned nextHopMtu = 0;    // the MTU a router named, 0 for none
  unsigned long status = 0;   // the IP_STATUS or system error of Refused and Unreachable
  bool willRetry = false;     // NoAnswer on a first try: the size is tried again
};

struct ProbeResult {
  enum Kind {
    Found,         // mtu: the largest size that passed, the path's MTU
    NoConnection,  // no LAN card or dial-up connection is up: nothing was sent
    NameNotFound,  // the name lookup found nothing
    Unavailable,   // no icmp.dll, or it would not open
    NoReply,       // nothing came back, not even the least MTU
    Unreachable,   // the network said there is no way to the host (status)
    AllPassed,     // even a size above the local MTU passed (mtu: the local MTU)
    BlackHole,     // larger sizes vanished without a word (mtu: the largest that passed)
    Stopped        // the user stopped it
  } kind = Stopped;
  unsigned mtu = 0;
  unsigned long status = 0;
  std::string host;     // as typed, blanks trimmed
  std::string address;  // the dotted address probed, once known
  int echoes = 0;       // echo requests sent
};

// What the probe reports to, from the thread it runs on.
class IProbeListener {
 public:
  virtual ~IProbeListener() = default;
  virtual void OnStep(const ProbeStep& step) = 0;
  // Asked before the lookup and before every echo.
  virtual bool StopRequested() = 0;
};

// A dial-up connection is up, or a LAN card has an address.
bool ConnectionIsUp(INetwork& net);

// Probes the path to `host` (a name or a dotted address).
ProbeResult FindPathMtu(const std::string& host, IPathNetwork& net, IProbeListener& listener,
                        unsigned timeoutMs = kProbeTimeoutMs);

// "1472 bytes: passes" and the like.
std::string ProbeStepText(const ProbeStep& step);
// The result line. `manualMode`: whether the form is in a manual mode, where
// the MTU can be used at once; elsewhere the line says how to use it.
std::string ProbeResultText(const ProbeResult& result, bool manualMode);

}  // namespace vl
