// The path MTU probe against scripted paths: what it finds on the lines
// users have, how it tells silence from refusal, and that it never sends,
// nor looks a name up, while no connection is up.
#include "ping/mtu_probe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/mem/mem_path_network.h"

namespace vl {
namespace {

const Ipv4 kHost{{203, 0, 113, 9}};
const Ipv4 kRouter{{198, 51, 100, 1}};
const Ipv4 kSecondRouter{{198, 51, 100, 2}};

// Records the steps, and asks to stop once `stopAfter` have come.
class Listener : public IProbeListener {
 public:
  void OnStep(const ProbeStep& step) override {
    steps.push_back(step);
    texts.push_back(ProbeStepText(step));
  }
  bool StopRequested() override { return stopAfter >= 0 && static_cast<int>(steps.size()) >= stopAfter; }

  std::vector<ProbeStep> steps;
  std::vector<std::string> texts;
  int stopAfter = -1;
};

MemPathNetwork::Hop Router(unsigned mtu, MemPathNetwork::Hop::Refusal refusal,
                           const Ipv4& address = kRouter) {
  MemPathNetwork::Hop hop;
  hop.mtu = mtu;
  hop.refusal = refusal;
  hop.address = address;
  return hop;
}

using Hop = MemPathNetwork::Hop;

// A LAN card that is up and a name that resolves to the host.
struct Path : MemPathNetwork {
  Path() {
    LanUp();
    names["isp.example"] = kHost;
  }
};

struct PathCase {
  const char* what;
  void (*script)(MemPathNetwork& path);
  const char* host;
  ProbeResult::Kind kind;
  unsigned mtu;
  int echoes;  // exactly, or -1 for "within the budget"
};

const PathCase kPaths[] = {
    {"plain Ethernet: the local MTU passes, a byte more is refused here",
     [](MemPathNetwork&) {}, "isp.example", ProbeResult::Found, 1500, 2},
    {"PPPoE: the DSL router says too big above 1492",
     [](MemPathNetwork& p) { p.hops = {Router(1492, Hop::SaysTooBig)}; }, "isp.example",
     ProbeResult::Found, 1492, -1},
    {"dial-up whose adapter has an MTU of 576",
     [](MemPathNetwork& p) {
       p.lanAddresses.clear();
       p.dialUp = DialUpState::Connected;
       p.localMtu = 576;
     },
     "isp.example", ProbeResult::Found, 576, 2},
    {"dial-up whose provider's router carries 576",
     [](MemPathNetwork& p) {
       p.lanAddresses.clear();
       p.dialUp = DialUpState::Connected;
       p.hops = {Router(576, Hop::SaysTooBig)};
     },
     "203.0.113.9", ProbeResult::Found, 576, -1},
    {"a router that names its next hop's MTU: one jump",
     [](MemPathNetwork& p) { p.hops = {Router(1400, Hop::NamesMtu)}; }, "isp.example",
     ProbeResult::Found, 1400, 2},
    {"two routers naming their MTUs in turn",
     [](MemPathNetwork& p) {
       p.hops = {Router(1480, Hop::NamesMtu), Router(1400, Hop::NamesMtu, kSecondRouter)};
     },
     "isp.example", ProbeResult::Found, 1400, 3},
    {"a router that only says too big",
     [](MemPathNetwork& p) { p.hops = {Router(1400, Hop::SaysTooBig)}; }, "isp.example",
     ProbeResult::Found, 1400, -1},
    {"a black hole: silence above 1400",
     [](MemPathNetwork& p) { p.hops = {Router(1400, Hop::Silent)}; }, "isp.example",
     ProbeResult::BlackHole, 1400, -1},
    {"silence above 1400 behind a router that says too big above 1450",
     [](MemPathNetwork& p) {
       p.hops = {Router(1450, Hop::SaysTooBig), Router(1400, Hop::Silent, kSecondRouter)};
     },
     "isp.example", ProbeResult::BlackHole, 1400, -1},
    {"a host or path that ignores Don't Fragment",
     [](MemPathNetwork& p) {
       p.hops = {Router(1400, Hop::SaysTooBig)};
       p.ignoresDf = true;
     },
     "isp.example", ProbeResult::AllPassed, 1500, 2},
    {"a host that never answers: the top and the least MTU, twice each",
     [](MemPathNetwork& p) { p.hostAnswers = false; }, "isp.example", ProbeResult::NoReply, 0, 4},
    {"the network says there is no way to the host",
     [](MemPathNetwork& p) { p.everyEchoStatus = kIpDestHostUnreachable; }, "isp.example",
     ProbeResult::Unreachable, 0, 1},
    {"a name that cannot be found: nothing sent",
     [](MemPathNetwork&) {}, "nowhere.example", ProbeResult::NameNotFound, 0, 0},
    {"no connection: nothing looked up, nothing sent",
     [](MemPathNetwork& p) { p.lanAddresses = {"0.0.0.0"}; }, "isp.example",
     ProbeResult::NoConnection, 0, 0},
    {"a dial-up connection still being made is none",
     [](MemPathNetwork& p) {
       p.lanAddresses.clear();
       p.dialUp = DialUpState::Connecting;
     },
     "isp.example", ProbeResult::NoConnection, 0, 0},
    {"no icmp.dll", [](MemPathNetwork& p) { p.icmpAvailable = false; }, "isp.example",
     ProbeResult::Unavailable, 0, 0},
    {"dial-up without the IP helper: the local MTU taken as 1500",
     [](MemPathNetwork& p) {
       p.hasIpHelper = false;
       p.dialUp = DialUpState::Connected;
       p.hops = {Router(1492, Hop::SaysTooBig)};
     },
     "isp.example", ProbeResult::Found, 1492, -1},
    {"a lost echo is tried again",
     [](MemPathNetwork& p) { p.lostEchoes = {1}; }, "isp.example", ProbeResult::Found, 1500, 3},
    {"silence told as a reply rather than by the return",
     [](MemPathNetwork& p) {
       p.hostAnswers = false;
       p.timeoutAsReply = true;
     },
     "isp.example", ProbeResult::NoReply, 0, 4},
    {"a router naming a size no smaller than what it refused is not followed",
     [](MemPathNetwork& p) {
       Hop liar = Router(1300, Hop::NamesMtu);
       liar.named = 1600;
       p.hops = {liar};
     },
     "isp.example", ProbeResult::Found, 1300, -1},
};

TEST(MtuProbe, FindsWhatEachPathCarries) {
  for (const PathCase& c : kPaths) {
    SCOPED_TRACE(c.what);
    Path path;
    c.script(path);
    Listener listener;
    const ProbeResult r = FindPathMtu(c.host, path, listener, 1000);
    EXPECT_EQ(c.kind, r.kind);
    EXPECT_EQ(c.mtu, r.mtu);
    EXPECT_EQ(static_cast<int>(path.echoSizes.size()), r.echoes);
    if (c.echoes >= 0) {
      EXPECT_EQ(c.echoes, r.echoes);
    }
    EXPECT_LE(r.echoes, kMaxProbeEchoes);
    EXPECT_EQ(0, path.openHandles) << "the ICMP handle is closed again";
    EXPECT_EQ(path.echoSizes.size(), listener.steps.size()) << "every echo is told";
    for (const std::string& line : path.log)
      if (line.compare(0, 5, "Echo ") == 0) {
        EXPECT_NE(std::string::npos, line.find(" DF")) << line;
      }
    // An MTU is only ever one that was seen to pass.
    if (r.kind == ProbeResult::Found || r.kind == ProbeResult::BlackHole ||
        r.kind == ProbeResult::AllPassed) {
      bool passed = false;
      for (const ProbeStep& s : listener.steps)
        passed = passed || (s.kind == ProbeStep::Passed && s.size == r.mtu);
      EXPECT_TRUE(passed) << r.mtu;
    }
  }
}

TEST(MtuProbe, WithoutAConnectionItNeitherLooksUpNorSends) {
  Path path;
  path.lanAddresses.clear();
  Listener listener;
  EXPECT_EQ(ProbeResult::NoConnection, FindPathMtu("isp.example", path, listener).kind);
  EXPECT_EQ((std::vector<std::string>{"DialUp", "QueryLanAddresses"}), path.log);
  EXPECT_TRUE(listener.steps.empty());
}

TEST(MtuProbe, TheListShowsEachEchoAsItEnds) {
  Path path;
  path.hops = {Router(1400, Hop::SaysTooBig)};
  path.lostEchoes = {3};
  Listener listener;
  const ProbeResult r = FindPathMtu(" isp.example ", path, listener);
  ASSERT_EQ(ProbeResult::Found, r.kind);
  EXPECT_EQ("isp.example", r.host);
  EXPECT_EQ("203.0.113.9", r.address);
  const std::vector<std::string> expected = {
      "1500 bytes: too big (said by 198.51.100.1)",
      "783 bytes: passes",
      "1141 bytes: no answer, trying again",
      "1141 bytes: passes",
      "1320 bytes: passes",
      "1410 bytes: too big (said by 198.51.100.1)",
      "1365 bytes: passes",
      "1387 bytes: passes",
      "1398 bytes: passes",
      "1404 bytes: too big (said by 198.51.100.1)",
      "1401 bytes: too big (said by 198.51.100.1)",
      "1399 bytes: passes",
      "1400 bytes: passes",
  };
  EXPECT_EQ(expected, listener.texts);
}

TEST(MtuProbe, StepTextsOfRefusals) {
  ProbeStep s;
  s.size = 1480;
  s.kind = ProbeStep::TooBig;
  s.by = "10.0.0.1";
  s.nextHopMtu = 1400;
  EXPECT_EQ("1480 bytes: too big (said by 10.0.0.1, next hop 1400)", ProbeStepText(s));
  s.by.clear();
  EXPECT_EQ("1480 bytes: too big", ProbeStepText(s));
  s.kind = ProbeStep::NoAnswer;
  EXPECT_EQ("1480 bytes: no answer", ProbeStepText(s));
  s.kind = ProbeStep::Refused;
  s.status = kIpGeneralFailure;
  EXPECT_EQ("1480 bytes: refused (error 11050)", ProbeStepText(s));
  s.kind = ProbeStep::Unreachable;
  s.status = kIpDestNetUnreachable;
  EXPECT_EQ("1480 bytes: unreachable (error 11002)", ProbeStepText(s));
  s.by = "10.0.0.1";
  EXPECT_EQ("1480 bytes: unreachable (said by 10.0.0.1)", ProbeStepText(s));
}

TEST(MtuProbe, AStopEndsItBeforeTheNextEcho) {
  for (int stopAfter : {0, 1, 3}) {
    SCOPED_TRACE(stopAfter);
    Path path;
    path.hops = {Router(1400, Hop::SaysTooBig)};
    Listener listener;
    listener.stopAfter = stopAfter;
    const ProbeResult r = FindPathMtu("isp.example", path, listener);
    EXPECT_EQ(ProbeResult::Stopped, r.kind);
    EXPECT_EQ(stopAfter, r.echoes);
    EXPECT_EQ(0, path.openHandles);
    EXPECT_EQ("Stopped.", ProbeResultText(r, true));
  }
}

// The bisection's reach: every MTU a link may have up to Ethernet's is found
// exactly, behind a router that only says "too big", within 12 echoes.
TEST(MtuProbe, EveryMtuUpToTheLocalOneIsFoundWithinTwelveEchoes) {
  int most = 0;
  for (unsigned mtu = kMinMtu; mtu <= 1500; ++mtu) {
    Path path;
    path.hops = {Router(mtu, Hop::SaysTooBig)};
    Listener listener;
    const ProbeResult r = FindPathMtu("203.0.113.9", path, listener);
    ASSERT_EQ(ProbeResult::Found, r.kind) << mtu;
    ASSERT_EQ(mtu, r.mtu);
    most = r.echoes > most ? r.echoes : most;
  }
  EXPECT_LE(most, 12);
}

TEST(MtuProbe, ResultLines) {
  ProbeResult r;
  r.host = "isp.example";
  r.kind = ProbeResult::Found;
  r.mtu = 1400;
  EXPECT_EQ("The largest packet that reaches isp.example without being split is 1400 bytes: "
            "the MTU of this path is 1400.",
            ProbeResultText(r, true));
  EXPECT_EQ("The largest packet that reaches isp.example without being split is 1400 bytes: "
            "the MTU of this path is 1400. To use it, choose Manual Mode on the form, then "
            "Custom MTU, and enter 1400.",
            ProbeResultText(r, false));
  // Every other outcome says why in words of its own, naming the host where
  // one was probed.
  for (auto kind : {ProbeResult::NameNotFound, ProbeResult::NoReply, ProbeResult::Unreachable,
                    ProbeResult::AllPassed, ProbeResult::BlackHole}) {
    r.kind = kind;
    EXPECT_NE(std::string::npos, ProbeResultText(r, true).find("isp.example")) << kind;
    EXPECT_EQ(std::string::npos, ProbeResultText(r, true).find("the MTU of this path is")) << kind;
  }
}

}  // namespace
}  // namespace vl
