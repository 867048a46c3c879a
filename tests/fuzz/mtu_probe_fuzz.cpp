// The path MTU probe over any sequence of replies: the line up or not, a
// lookup found or not, icmp.dll there or not, any local MTU, and for every
// echo any answer (a pass, "too big" with any next-hop MTU, silence told
// either way, any other status or system error) and any moment of a stop.
// Whatever comes:
// - it ends, having sent no more than its budget of echoes, each with Don't
//   Fragment set, and closed the ICMP handle it opened;
// - without a connection it neither looks up nor sends;
// - an MTU it reports (found, black hole, every size passed) is a size it
//   saw pass, no larger than the local MTU it probed from;
// - every step and every result has its text.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "ping/mtu_probe.h"

namespace {

using vl::IcmpHandle;

constexpr IcmpHandle kHandle = 0x1C3F;

class ScriptedPath : public vl::IPathNetwork, public vl::IProbeListener {
 public:
  explicit ScriptedPath(fuzz::Input& in) : in_(in) {}

  vl::DialUpState DialUp() override {
    connectionAsked = true;
    return static_cast<vl::DialUpState>(in_.Byte() % 3);
  }
  bool QueryAddresses(vl::ConnectionAddresses*) override { return false; }
  bool QueryLanAddresses(std::vector<std::string>* out) override {
    const uint8_t pick = in_.Byte();
    if (pick & 1) out->push_back(pick & 2 ? "192.168.1.20" : "0.0.0.0");
    return (pick & 4) != 0;
  }
  bool Lookup(const std::string&, vl::Ipv4* address) override {
    FUZZ_REQUIRE(connectionAsked);
    ++lookups;
    if (!(in_.Byte() & 1)) return false;
    *address = vl::Ipv4{{203, 0, 113, 9}};
    return true;
  }
  vl::EchoResult Echo(const vl::Ipv4&, unsigned) override { return {}; }

  IcmpHandle IcmpCreateFile() override {
    if (in_.Byte() == 0xFF) return vl::kInvalidIcmpHandle;
    ++open;
    return kHandle;
  }
  bool IcmpCloseHandle(IcmpHandle handle) override {
    FUZZ_REQUIRE(handle == kHandle && open > 0);
    --open;
    return true;
  }
  unsigned long IcmpSendEcho(IcmpHandle handle, const vl::Ipv4&, uint16_t requestSize,
                             const vl::IpOptionInformation& options, vl::IcmpEchoReply* reply,
                             unsigned, unsigned long* lastError) override {
    FUZZ_REQUIRE(handle == kHandle && open == 1);
    FUZZ_REQUIRE(options.flags & vl::kIpFlagDf);
    FUZZ_REQUIRE(lookups > 0 || dotted);
    const unsigned size = requestSize + vl::kEchoOverhead;
    FUZZ_REQUIRE(size >= vl::kMinMtu && size <= vl::kMaxIpPacket + 1);
    ++echoes;
    *reply = vl::IcmpEchoReply();
    const uint8_t pick = in_.Byte();
    static const unsigned long kOther[] = {
        vl::kIpDestHostUnreachable, vl::kIpGeneralFailure, vl::kIpBufTooSmall,
        vl::kIpTtlExpiredTransit,  87,                     11999};
    unsigned long status = vl::kIpSuccess;
    switch (pick % 6) {
      case 0: status = vl::kIpSuccess; break;
      case 1:
      case 2:
        status = vl::kIpPacketTooBig;
        reply->nextHopMtu = in_.Word();
        break;
      case 3: *lastError = vl::kIpReqTimedOut; return 0;
      case 4: status = vl::kIpReqTimedOut; break;
      case 5: status = kOther[(pick / 6) % 6]; break;
    }
    if (pick & 0x80) {  // told through GetLastError rather than a reply
      *lastError = status;
      return 0;
    }
    reply->status = status;
    reply->address = vl::Ipv4{{198, 51, 100, pick}};
    if (status == vl::kIpSuccess) passed.push_back(size);
    return 1;
  }
  unsigned InterfaceMtu(const vl::Ipv4&) override {
    local = in_.Word();
    return local;
  }

  void OnStep(const vl::ProbeStep& step) override {
    FUZZ_REQUIRE(!vl::ProbeStepText(step).empty());
    ++steps;
  }
  bool StopRequested() override { return in_.Byte() == 0xA5; }

  int open = 0;
  int echoes = 0;
  int steps = 0;
  int lookups = 0;
  bool connectionAsked = false;
  bool dotted = false;
  unsigned local = 0;
  std::vector<unsigned> passed;

 private:
  fuzz::Input& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  ScriptedPath path(in);
  const bool dotted = in.Byte() & 1;
  path.dotted = dotted;
  const vl::ProbeResult r =
      vl::FindPathMtu(dotted ? "203.0.113.9" : "isp.example", path, path, 10);

  FUZZ_REQUIRE(path.open == 0);
  FUZZ_REQUIRE(r.echoes == path.echoes);
  FUZZ_REQUIRE(path.echoes <= vl::kMaxProbeEchoes);
  FUZZ_REQUIRE(path.steps == path.echoes);
  if (r.kind == vl::ProbeResult::NoConnection || r.kind == vl::ProbeResult::NameNotFound ||
      r.kind == vl::ProbeResult::Unavailable)
    FUZZ_REQUIRE(path.echoes == 0);
  if (r.kind == vl::ProbeResult::NoConnection) FUZZ_REQUIRE(path.lookups == 0);
  if (r.kind == vl::ProbeResult::Found || r.kind == vl::ProbeResult::BlackHole ||
      r.kind == vl::ProbeResult::AllPassed) {
    bool seen = false;
    for (unsigned s : path.passed) seen = seen || s == r.mtu;
    FUZZ_REQUIRE(seen);
    FUZZ_REQUIRE(r.mtu >= vl::kMinMtu);
    const unsigned local = path.local >= vl::kMinMtu && path.local <= vl::kMaxIpPacket
                               ? path.local
                               : vl::kAssumedLocalMtu;
    FUZZ_REQUIRE(r.mtu <= local);
  }
  FUZZ_REQUIRE(!vl::ProbeResultText(r, true).empty());
  FUZZ_REQUIRE(!vl::ProbeResultText(r, false).empty());
  return 0;
}
