// The path MTU probe on scripted paths, beside a bare loop of the same echoes.
// The time to a result is the in-memory path's own clock: the round trip of
// each echo that is answered (40 ms) and the timeout of each that is not
// (2 s), as a real line would take them; the bare loop sends the very echoes
// the probe sent, so that any time beyond it is the probe's own. The
// processor time of both is Google Benchmark's figure.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ping/mtu_probe.h"
#include "net/mem/mem_path_network.h"

namespace {

using Hop = vl::MemPathNetwork::Hop;

class Quiet : public vl::IProbeListener {
 public:
  void OnStep(const vl::ProbeStep&) override {}
  bool StopRequested() override { return false; }
};

Hop Router(unsigned mtu, Hop::Refusal refusal) {
  Hop hop;
  hop.mtu = mtu;
  hop.refusal = refusal;
  hop.address = vl::Ipv4{{198, 51, 100, 1}};
  return hop;
}

struct PathCase {
  const char* name;
  void (*script)(vl::MemPathNetwork& path);
};

const PathCase kCases[] = {
    {"ethernet_1500", [](vl::MemPathNetwork&) {}},
    {"pppoe_1492", [](vl::MemPathNetwork& p) { p.hops = {Router(1492, Hop::SaysTooBig)}; }},
    {"vpn_1400", [](vl::MemPathNetwork& p) { p.hops = {Router(1400, Hop::SaysTooBig)}; }},
    {"dialup_576", [](vl::MemPathNetwork& p) { p.hops = {Router(576, Hop::SaysTooBig)}; }},
    {"named_1400", [](vl::MemPathNetwork& p) { p.hops = {Router(1400, Hop::NamesMtu)}; }},
    {"black_hole_1400", [](vl::MemPathNetwork& p) { p.hops = {Router(1400, Hop::Silent)}; }},
    {"silent_host", [](vl::MemPathNetwork& p) { p.hostAnswers = false; }},
};

const vl::Ipv4 kHost{{203, 0, 113, 9}};

void Prepare(vl::MemPathNetwork& path, const PathCase& c) {
  path.LanUp();
  c.script(path);
}

void Probe(benchmark::State& state, const PathCase* c) {
  Quiet quiet;
  vl::ProbeResult r;
  unsigned long long elapsed = 0;
  for (auto _ : state) {
    vl::MemPathNetwork path;
    Prepare(path, *c);
    r = vl::FindPathMtu("203.0.113.9", path, quiet);
    elapsed = path.elapsedMs;
    benchmark::DoNotOptimize(r);
  }
  state.counters["probes"] = r.echoes;
  state.counters["time_to_result_ms"] = static_cast<double>(elapsed);
  state.counters["mtu"] = r.mtu;
}

// The same echoes, sizes as the probe sent them, sent in a bare loop.
void Floor(benchmark::State& state, const PathCase* c) {
  std::vector<unsigned> sizes;
  {
    vl::MemPathNetwork path;
    Prepare(path, *c);
    Quiet quiet;
    vl::FindPathMtu("203.0.113.9", path, quiet);
    sizes = path.echoSizes;
  }
  unsigned long long elapsed = 0;
  for (auto _ : state) {
    vl::MemPathNetwork path;
    Prepare(path, *c);
    const vl::IcmpHandle handle = path.IcmpCreateFile();
    vl::IpOptionInformation options;
    options.flags = vl::kIpFlagDf;
    for (unsigned size : sizes) {
      vl::IcmpEchoReply reply;
      unsigned long error = 0;
      benchmark::DoNotOptimize(path.IcmpSendEcho(
          handle, kHost, static_cast<uint16_t>(size - vl::kEchoOverhead), options, &reply,
          vl::kProbeTimeoutMs, &error));
    }
    path.IcmpCloseHandle(handle);
    elapsed = path.elapsedMs;
  }
  state.counters["probes"] = static_cast<double>(sizes.size());
  state.counters["time_to_result_ms"] = static_cast<double>(elapsed);
}

// Every MTU a link may have up to Ethernet's, behind a router that only says
// "too big": the most echoes and the longest time any of them takes.
void Sweep(benchmark::State& state) {
  Quiet quiet;
  int most = 0;
  unsigned long long longest = 0;
  for (auto _ : state) {
    for (unsigned mtu = vl::kMinMtu; mtu <= 1500; ++mtu) {
      vl::MemPathNetwork path;
      path.LanUp();
      path.hops = {Router(mtu, Hop::SaysTooBig)};
      const vl::ProbeResult r = vl::FindPathMtu("203.0.113.9", path, quiet);
      if (r.kind != vl::ProbeResult::Found || r.mtu != mtu) {
        state.SkipWithError(("MTU " + std::to_string(mtu) + " not found").c_str());
        return;
      }
      most = r.echoes > most ? r.echoes : most;
      longest = path.elapsedMs > longest ? path.elapsedMs : longest;
    }
  }
  state.counters["probes"] = most;
  state.counters["time_to_result_ms"] = static_cast<double>(longest);
}

}  // namespace

int main(int argc, char** argv) {
  for (const PathCase& c : kCases) {
    benchmark::RegisterBenchmark((std::string("probe/") + c.name).c_str(), Probe, &c);
    benchmark::RegisterBenchmark((std::string("floor/") + c.name).c_str(), Floor, &c);
  }
  benchmark::RegisterBenchmark("probe/every_mtu_68_to_1500", Sweep)->Iterations(3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
