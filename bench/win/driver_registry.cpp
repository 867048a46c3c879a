// The writers and restores against Wine's registry, next to a replay of the
// same calls made straight to the registry API.
#include <cstdio>
#include <memory>

#include "bench/call_script.h"
#include "bench/scale_cases.h"
#include "bench/win/driver.h"
#include "platform/win/win_platform.h"
#include "tests/e2e/harness.h"

namespace driver {

namespace {

using bench::Operation;

struct Win32Api {
  using Handle = HKEY;
  Handle Root(vl::RegKey root) { return reinterpret_cast<HKEY>(root); }
  long Open(Handle key, const std::string& sub, uint32_t access, Handle* out) {
    return RegOpenKeyExA(key, sub.c_str(), 0, access, out);
  }
  long Create(Handle key, const std::string& sub, uint32_t options, uint32_t access, Handle* out) {
    return RegCreateKeyExA(key, sub.c_str(), 0, nullptr, options, access, nullptr, out, nullptr);
  }
  long Query(Handle key, const std::string& name, uint8_t* data, uint32_t* size) {
    DWORD type = 0, s = *size;
    long rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, data, &s);
    *size = s;
    return rc;
  }
  long Set(Handle key, const std::string& name, uint32_t type, const std::vector<uint8_t>& data) {
    return RegSetValueExA(key, name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
  }
  long Delete(Handle key, const std::string& name) { return RegDeleteValueA(key, name.c_str()); }
  long Close(Handle key) { return RegCloseKey(key); }
};

// The restores never ask here, but the application state wants boxes.
class NoBoxes : public vl::IMessageBoxes {
 public:
  int Show(vl::WindowHandle, const std::string&, const std::string&, unsigned) override {
    return vl::kIdNo;
  }
};

void ClearBenchMachine(Operation op) {
  for (const std::string& key : bench::MachineKeys(op)) e2e::DeleteTree(key);
  e2e::ClearMachine();
}

// Runs `work` `repeat` times and returns the time of one run.
template <typename Work>
double TimeOne(int repeat, Work work) {
  double start = NowMs();
  for (int i = 0; i < repeat; ++i) work();
  return (NowMs() - start) / repeat;
}

// One operation on one machine size, with what it gathered.
struct Case {
  Operation op;
  int adapters;
  vl::AppState app;
  bench::CallScript script;
  int repeat = 0;  // runs per sample; 0 until the first round set it
  std::vector<double> coreMs, floorMs;
  std::string problem;
};

// Seeds the case's machine, makes sure the operation and its replay do what
// they should, and takes one sample of each side.
void Sample(Case& c, vl::WinRegistry& win, bool coreFirst) {
  constexpr double kSampleMs = 100;
  ClearBenchMachine(c.op);
  bench::SeedMachine(win, c.op, c.adapters, /*volatileCards=*/true);
  c.app.sys.registry = &win;
  bench::Run(c.app, c.op);  // the first run creates the values, later ones rewrite them
  if (c.script.calls.empty()) {
    bench::RecordingRegistry recorder(win);
    c.app.sys.registry = &recorder;
    int handled = bench::Run(c.app, c.op).adapters;
    c.app.sys.registry = &win;
    c.script = recorder.script();
    if (handled != c.adapters) {
      c.problem = "the operation handled " + std::to_string(handled) + " of " +
                  std::to_string(c.adapters) + " adapters";
      return;
    }
  }
  Win32Api api;
  std::vector<HKEY> slots;
  if (int bad = bench::Replay(c.script, api, slots)) {
    c.problem = std::to_string(bad) + " replayed calls returned another status";
    return;
  }
  auto core = [&] { bench::Run(c.app, c.op); };
  auto floor = [&] { bench::Replay(c.script, api, slots); };
  if (c.repeat == 0) {
    double once = TimeOne(1, core);
    c.repeat = std::max(1, static_cast<int>(kSampleMs / std::max(once, 0.001)));
  }
  if (coreFirst) {
    c.coreMs.push_back(TimeOne(c.repeat, core));
    c.floorMs.push_back(TimeOne(c.repeat, floor));
  } else {
    c.floorMs.push_back(TimeOne(c.repeat, floor));
    c.coreMs.push_back(TimeOne(c.repeat, core));
  }
}

}  // namespace

// Every round takes one sample of every case, so that a slow spell of the
// machine or of wineserver (its services start with the first program) spoils
// one sample of many cases rather than all samples of one.
int RunRegistry(const Options& options) {
  vl::WinRegistry win;
  NoBoxes boxes;
  std::vector<std::unique_ptr<Case>> cases;
  for (Operation op : bench::AllOperations())
    for (int adapters : {1, 10, 100}) {
      auto c = std::make_unique<Case>();
      c->op = op;
      c->adapters = adapters;
      c->app.sys.boxes = &boxes;
      bench::PrepareApp(c->app, op);
      cases.push_back(std::move(c));
    }
  for (int round = 0; round < options.runs; ++round)
    for (auto& c : cases)
      if (c->problem.empty()) Sample(*c, win, round % 2 == 0);
  for (Operation op : bench::AllOperations()) ClearBenchMachine(op);

  for (auto& c : cases) {
    std::string what = std::string(bench::Name(c->op)) + "/" + std::to_string(c->adapters);
    if (!c->problem.empty()) {
      EmitProblem("registry", what, c->problem);
      continue;
    }
    // The two samples of a round ran back to back; their ratio is steadier
    // than the ratio of the medians.
    std::vector<double> ratios;
    for (size_t i = 0; i < c->coreMs.size(); ++i)
      if (c->floorMs[i] > 0) ratios.push_back(c->coreMs[i] / c->floorMs[i]);
    std::sort(ratios.begin(), ratios.end());
    auto quartile = [&](size_t q) { return ratios.empty() ? 0 : ratios[q * (ratios.size() - 1) / 4]; };
    char line[512];
    std::snprintf(line, sizeof line,
                  "{\"kind\":\"registry\",\"env\":\"wine\",\"op\":\"%s\",\"adapters\":%d,"
                  "\"core_us\":%.3f,\"floor_us\":%.3f,\"ratio\":%.4f,\"ratio_q1\":%.4f,"
                  "\"ratio_q3\":%.4f,\"calls\":%zu,\"samples\":%zu,\"repeat\":%d}",
                  bench::Name(c->op), c->adapters, 1000 * Median(c->coreMs),
                  1000 * Median(c->floorMs), Median(ratios), quartile(1), quartile(3),
                  c->script.calls.size(), c->coreMs.size(), c->repeat);
    Emit(line);
  }
  return 0;
}

}  // namespace driver
