// The writers and restores against the in-memory registry, next to a replay
// of the same registry calls. Both sides pay the in-memory registry's own
// cost (its call log included), so the difference is the program's.
// Processor time of the thread, not wall time: the machine is shared.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "bench/call_script.h"
#include "bench/scale_cases.h"
#include "platform/mem/mem_registry.h"
#include "platform/mem/mem_system.h"

namespace {

using bench::Operation;

struct MemApi {
  using Handle = vl::RegKey;
  vl::MemRegistry& reg;
  Handle Root(vl::RegKey root) { return root; }
  long Open(Handle key, const std::string& sub, uint32_t access, Handle* out) {
    return reg.OpenKey(key, sub, access, out);
  }
  long Create(Handle key, const std::string& sub, uint32_t options, uint32_t access,
              Handle* out) {
    return reg.CreateKey(key, sub, options, access, out);
  }
  long Query(Handle key, const std::string& name, uint8_t* data, uint32_t* size) {
    uint32_t type = 0;
    return reg.QueryValue(key, name, &type, data, size);
  }
  long Set(Handle key, const std::string& name, uint32_t type, const std::vector<uint8_t>& data) {
    return reg.SetValue(key, name, type, data.data(), static_cast<uint32_t>(data.size()));
  }
  long Delete(Handle key, const std::string& name) { return reg.DeleteValue(key, name); }
  long Close(Handle key) { return reg.CloseKey(key); }
};

// One machine with its application state, the operation run once to settle
// the registry (later runs rewrite the same values) and once recorded.
struct Machine {
  Machine(Operation op, int adapters) : op(op), adapters(adapters) {
    app.sys.registry = &reg;
    app.sys.boxes = &boxes;
    bench::SeedMachine(reg, op, adapters, false);
    bench::PrepareApp(app, op);
    bench::Run(app, op);
    bench::RecordingRegistry recorder(reg);
    app.sys.registry = &recorder;
    handled = bench::Run(app, op).adapters;
    script = recorder.script();
    app.sys.registry = &reg;
    reg.ClearCalls();
  }
  // Why the figures would not mean what they say, or empty.
  std::string Problem() const {
    if (handled != adapters)
      return "the operation handled " + std::to_string(handled) + " of " +
             std::to_string(adapters) + " adapters";
    return "";
  }

  Operation op;
  int adapters;
  vl::MemRegistry reg;
  vl::MemMessageBoxes boxes;
  vl::AppState app;
  bench::CallScript script;
  int handled = 0;
};

// Processor time of this thread in microseconds.
double ThreadCpuUs() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return t.tv_sec * 1e6 + t.tv_nsec / 1e3;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Every iteration runs the operation and its replay back to back, in turn
// first, and times each: a pair meets the same state of the machine, so the
// ratio of a pair is steadier than a ratio of two separate runs.
void Pair(benchmark::State& state, Operation op) {
  Machine m(op, static_cast<int>(state.range(0)));
  if (!m.Problem().empty()) return state.SkipWithError(m.Problem().c_str());
  MemApi api{m.reg};
  std::vector<vl::RegKey> slots;
  if (int bad = bench::Replay(m.script, api, slots)) {
    std::string why = std::to_string(bad) + " replayed calls returned another status";
    return state.SkipWithError(why.c_str());
  }
  auto core = [&] {
    double start = ThreadCpuUs();
    benchmark::DoNotOptimize(bench::Run(m.app, op));
    double used = ThreadCpuUs() - start;
    m.reg.ClearCalls();  // the log would grow without end
    return used;
  };
  auto floor = [&] {
    double start = ThreadCpuUs();
    benchmark::DoNotOptimize(bench::Replay(m.script, api, slots));
    double used = ThreadCpuUs() - start;
    m.reg.ClearCalls();
    return used;
  };
  std::vector<double> coreUs, floorUs, ratios;
  bool coreFirst = true;
  for (auto _ : state) {
    double c, f;
    if (coreFirst) {
      c = core();
      f = floor();
    } else {
      f = floor();
      c = core();
    }
    coreFirst = !coreFirst;
    coreUs.push_back(c);
    floorUs.push_back(f);
    if (f > 0) ratios.push_back(c / f);
  }
  state.counters["adapters"] = m.adapters;
  state.counters["calls"] = static_cast<double>(m.script.calls.size());
  state.counters["core_us"] = Median(coreUs);
  state.counters["floor_us"] = Median(floorUs);
  state.counters["ratio"] = Median(ratios);
}

// An Apply with its record and read-back beside the plain one on the same
// machine: the registry calls each makes, counted, and their processor time,
// taken in turn. Both rewrite the values of the runs before them; the
// recorded one also adds a record to the history each time (ten are kept).
void Recorded(benchmark::State& state, Operation op) {
  Machine m(op, static_cast<int>(state.range(0)));
  if (!m.Problem().empty()) return state.SkipWithError(m.Problem().c_str());
  auto calls = [&](vl::WriteReport (*run)(vl::AppState&, Operation)) {
    const size_t before = m.reg.CallCount();
    const vl::WriteReport report = run(m.app, op);
    m.reg.ClearCalls();
    return report.failed || report.notRecorded ? 0 : m.reg.CallCount() - before;
  };
  const size_t plainCalls = calls(&bench::Run);
  const size_t recordedCalls = calls(&bench::RunRecorded);
  if (plainCalls == 0 || recordedCalls == 0)
    return state.SkipWithError("the operation failed on its machine");
  auto timed = [&](vl::WriteReport (*run)(vl::AppState&, Operation)) {
    double start = ThreadCpuUs();
    benchmark::DoNotOptimize(run(m.app, op));
    double used = ThreadCpuUs() - start;
    m.reg.ClearCalls();
    return used;
  };
  std::vector<double> plainUs, recordedUs, ratios;
  bool plainFirst = true;
  for (auto _ : state) {
    double p, r;
    if (plainFirst) {
      p = timed(&bench::Run);
      r = timed(&bench::RunRecorded);
    } else {
      r = timed(&bench::RunRecorded);
      p = timed(&bench::Run);
    }
    plainFirst = !plainFirst;
    plainUs.push_back(p);
    recordedUs.push_back(r);
    if (p > 0) ratios.push_back(r / p);
  }
  state.counters["adapters"] = m.adapters;
  state.counters["calls_plain"] = static_cast<double>(plainCalls);
  state.counters["calls_recorded"] = static_cast<double>(recordedCalls);
  state.counters["calls_ratio"] = static_cast<double>(recordedCalls) / plainCalls;
  state.counters["plain_us"] = Median(plainUs);
  state.counters["recorded_us"] = Median(recordedUs);
  state.counters["ratio"] = Median(ratios);
}

void Register() {
  for (Operation op : bench::AllOperations()) {
    std::string name = std::string("pair/") + bench::Name(op);
    benchmark::RegisterBenchmark(name.c_str(), &Pair, op)
        ->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
  }
  for (Operation op : {Operation::Apply9x, Operation::ApplyNt}) {
    std::string name = std::string("recorded/") + bench::Name(op);
    benchmark::RegisterBenchmark(name.c_str(), &Recorded, op)
        ->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);
  }
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
