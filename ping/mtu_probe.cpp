#include "ping/mtu_probe.h"

#include <vector>

#include "platform/text.h"
#include "net/host_choice.h"

namespace vl {

namespace {

std::string Dotted(const Ipv4& a) {
  return std::to_string(a.octet[0]) + "." + std::to_string(a.octet[1]) + "." +
         std::to_string(a.octet[2]) + "." + std::to_string(a.octet[3]);
}

bool IsUsableLanAddress(const std::string& text) {
  Ipv4 address;
  return ParseIpv4(text, &address) && IsRemoteHostAddress(address);
}

// What one echo's answer means for the size it carried.
ProbeStep::Kind Classify(unsigned long status) {
  switch (status) {
    case kIpSuccess: return ProbeStep::Passed;
    case kIpPacketTooBig: return ProbeStep::TooBig;
    case kIpReqTimedOut: return ProbeStep::NoAnswer;
    case kIpDestNetUnreachable:
    case kIpDestHostUnreachable:
    case kIpDestProtUnreachable:
    case kIpBadRoute:
    case kIpTtlExpiredTransit:
    case kIpBadDestination:
      return ProbeStep::Unreachable;
    default:
      // A general failure, no resources, a hardware error, a system error:
      // this size did not go, whatever the reason; smaller ones may.
      return ProbeStep::Refused;
  }
}

// One probe of one path, with its bounds: `lo` the largest size seen to
// pass (0 for none yet), `hi` the least size known to fail.
class Probe {
 public:
  Probe(IPathNetwork& net, IProbeListener& listener, unsigned timeoutMs, ProbeResult& result)
      : net_(net), listener_(listener), timeoutMs_(timeoutMs), result_(result) {}
  ~Probe() {
    if (handle_ != kInvalidIcmpHandle) net_.IcmpCloseHandle(handle_);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  void Run(const Ipv4& address);

 private:
  // Sends `size` up to twice; the step that counts.
  ProbeStep Try(unsigned size);
  // Ends the probe on a step that leaves no way on; true when it did.
  bool Ends(const ProbeStep& step);
  void Finish(ProbeResult::Kind kind, unsigned mtu = 0) {
    result_.kind = kind;
    result_.mtu = mtu;
  }
  // What the bounds say once they meet.
  void Conclude();

  IPathNetwork& net_;
  IProbeListener& listener_;
  unsigned timeoutMs_;
  ProbeResult& result_;
  Ipv4 address_;
  IcmpHandle handle_ = kInvalidIcmpHandle;
  bool stopped_ = false;
  unsigned lo_ = 0;
  unsigned hi_ = 0;
  int silentSizes_ = 0;
};

ProbeStep Probe::Try(unsigned size) {
  ProbeStep step;
  step.size = size;
  for (int attempt = 1; attempt <= kTriesPerSize; ++attempt) {
    if (listener_.StopRequested()) {
      stopped_ = true;
      return step;
    }
    IpOptionInformation options;
    options.flags = kIpFlagDf;
    IcmpEchoReply reply;
    unsigned long error = 0;
    ++result_.echoes;
    const auto data = static_cast<uint16_t>(size - kEchoOverhead);
    const bool replied =
        net_.IcmpSendEcho(handle_, address_, data, options, &reply, timeoutMs_, &error) > 0;
    // No reply is never a pass, whatever the last error says.
    const unsigned long status =
        replied ? reply.status : error == kIpSuccess ? kIpGeneralFailure : error;
    step = ProbeStep();
    step.size = size;
    step.kind = Classify(status);
    step.status = status;
    if (replied && (reply.address.octet[0] || reply.address.octet[3]))
      step.by = Dotted(reply.address);
    if (step.kind == ProbeStep::TooBig) step.nextHopMtu = reply.nextHopMtu;
    step.willRetry = step.kind == ProbeStep::NoAnswer && attempt < kTriesPerSize;
    listener_.OnStep(step);
    if (!step.willRetry) break;
  }
  return step;
}

bool Probe::Ends(const ProbeStep& step) {
  if (stopped_) {
    Finish(ProbeResult::Stopped);
    return true;
  }
  if (step.kind == ProbeStep::Unreachable) {
    Finish(ProbeResult::Unreachable);
    result_.status = step.status;
    return true;
  }
  return false;
}

void Probe::Run(const Ipv4& address) {
  address_ = address;
  handle_ = net_.IcmpCreateFile();
  if (handle_ == kInvalidIcmpHandle) return Finish(ProbeResult::Unavailable);

  unsigned local = net_.InterfaceMtu(address);
  if (local < kMinMtu || local > kMaxIpPacket) local = kAssumedLocalMtu;

  // Most paths carry the local MTU: one echo tells, and one more, a byte
  // larger than this machine may send unsplit, tells that Don't Fragment is
  // heeded. Where that passes too, the flag is lost somewhere and no size
  // can be trusted.
  ProbeStep top = Try(local);
  if (Ends(top)) return;
  if (top.kind == ProbeStep::Passed) {
    if (local == kMaxIpPacket) return Finish(ProbeResult::Found, local);
    ProbeStep above = Try(local + 1);
    if (Ends(above)) return;
    return Finish(above.kind == ProbeStep::Passed ? ProbeResult::AllPassed : ProbeResult::Found,
                  local);
  }
  hi_ = local;
  unsigned named = top.kind == ProbeStep::TooBig ? top.nextHopMtu : 0;
  if (top.kind == ProbeStep::NoAnswer) {
    ++silentSizes_;
    // Silence at the top may be the host's as well as the path's: the least
    // MTU tells which before a bisection spends its echoes on silence.
    ProbeStep floor = Try(kMinMtu);
    if (Ends(floor)) return;
    if (floor.kind != ProbeStep::Passed) return Finish(ProbeResult::NoReply);
    lo_ = kMinMtu;
  }

  int jumps = 0;
  for (;;) {
    const unsigned base = lo_ > kMinMtu - 1 ? lo_ : kMinMtu - 1;
    if (hi_ - base <= 1) break;
    // A router that named its next hop's MTU is taken at its word once that
    // size passes: larger ones stop at that router.
    const bool jump = named > base && named < hi_ && jumps < kMaxJumps;
    const unsigned size = jump ? named : base + (hi_ - base) / 2;
    if (jump) ++jumps;
    named = 0;
    ProbeStep step = Try(size);
    if (Ends(step)) return;
    if (step.kind == ProbeStep::Passed) {
      lo_ = size;
      if (jump) hi_ = size + 1;
      continue;
    }
    hi_ = size;
    if (step.kind == ProbeStep::NoAnswer) ++silentSizes_;
    if (step.kind == ProbeStep::TooBig) named = step.nextHopMtu;
  }
  Conclude();
}

void Probe::Conclude() {
  if (lo_ == 0) return Finish(ProbeResult::NoReply);
  // Sizes that vanish rather than being refused are a router that drops
  // them without a word: its limit is no MTU to rely on.
  if (silentSizes_ >= 2) return Finish(ProbeResult::BlackHole, lo_);
  Finish(ProbeResult::Found, lo_);
}

std::string StatusText(unsigned long status) { return "error " + std::to_string(status); }

}  // namespace

bool ConnectionIsUp(INetwork& net) {
  if (net.DialUp() == DialUpState::Connected) return true;
  std::vector<std::string> lan;
  if (!net.QueryLanAddresses(&lan)) return false;
  for (const std::string& address : lan)
    if (IsUsableLanAddress(address)) return true;
  return false;
}

ProbeResult FindPathMtu(const std::string& host, IPathNetwork& net, IProbeListener& listener,
                        unsigned timeoutMs) {
  ProbeResult result;
  result.host = TrimBlanks(host);
  if (listener.StopRequested()) return result;
  // Asked right before the lookup: a name server out of reach would make
  // Windows dial.
  if (!ConnectionIsUp(net)) {
    result.kind = ProbeResult::NoConnection;
    return result;
  }
  Ipv4 address;
  if (!ParseIpv4(result.host, &address)) {
    if (result.host.empty() || !net.Lookup(result.host, &address)) {
      result.kind = ProbeResult::NameNotFound;
      return result;
    }
    if (listener.StopRequested()) return result;
  }
  result.address = Dotted(address);
  Probe probe(net, listener, timeoutMs, result);
  probe.Run(address);
  return result;
}

std::string ProbeStepText(const ProbeStep& step) {
  std::string text = std::to_string(step.size) + " bytes: ";
  switch (step.kind) {
    case ProbeStep::Passed:
      return text + "passes";
    case ProbeStep::TooBig:
      text += "too big";
      if (!step.by.empty() && step.nextHopMtu)
        text += " (said by " + step.by + ", next hop " + std::to_string(step.nextHopMtu) + ")";
      else if (!step.by.empty())
        text += " (said by " + step.by + ")";
      return text;
    case ProbeStep::NoAnswer:
      return text + (step.willRetry ? "no answer, trying again" : "no answer");
    case ProbeStep::Refused:
      return text + "refused (" + StatusText(step.status) + ")";
    case ProbeStep::Unreachable:
      return text + "unreachable (" +
             (step.by.empty() ? StatusText(step.status) : "said by " + step.by) + ")";
  }
  return text;
}

std::string ProbeResultText(const ProbeResult& r, bool manualMode) {
  const std::string n = std::to_string(r.mtu);
  switch (r.kind) {
    case ProbeResult::Found: {
      std::string text = "The largest packet that reaches " + r.host +
                         " without being split is " + n + " bytes: the MTU of this path is " + n +
                         ".";
      if (!manualMode)
        text += " To use it, choose Manual Mode on the form, then Custom MTU, and enter " + n + ".";
      return text;
    }
    case ProbeResult::NoConnection:
      return "No connection is up: no LAN card has an address and no dial-up connection is "
             "made. Connect first, then press Start again.";
    case ProbeResult::NameNotFound:
      return "The name " + r.host + " cannot be found. Check it, or type the host's dotted address.";
    case ProbeResult::Unavailable:
      return "This Windows has no ping service (icmp.dll), so the MTU cannot be measured.";
    case ProbeResult::NoReply:
      return r.host + " does not answer pings: nothing came back, not even a packet of " +
             std::to_string(kMinMtu) + " bytes. Try another host, such as your provider's DNS server.";
    case ProbeResult::Unreachable:
      return r.host + " cannot be reached from here (" + StatusText(r.status) + ").";
    case ProbeResult::AllPassed:
      return "Every size passed, so the path to " + r.host + " carries at least the local MTU of " +
             n + " bytes, or something on the way ignores Don't Fragment.";
    case ProbeResult::BlackHole:
      return "Packets larger than " + n + " bytes vanish on the way to " + r.host +
             " without a word from the routers: a router there is a black hole, and its limit is "
             "no MTU to rely on. Try another host, or turn on black-hole detection.";
    case ProbeResult::Stopped:
      return "Stopped.";
  }
  return std::string();
}

}  // namespace vl
