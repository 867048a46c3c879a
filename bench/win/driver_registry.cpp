// The writers and restores against Wine's registry, next to a replay of the
// same calls made straight to the registry API.
#include <cstdio>

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

}  // namespace

int RunRegistry(const Options& options) {
  constexpr double kSampleMs = 30;
  for (Operation op : bench::AllOperations()) {
    for (int adapters : {1, 10, 100}) {
      std::string what = std::string(bench::Name(op)) + "/" + std::to_string(adapters);
      ClearBenchMachine(op);
      vl::WinRegistry win;
      bench::SeedMachine(win, op, adapters, /*volatileCards=*/true);
      NoBoxes boxes;
      vl::AppState app;
      app.sys.registry = &win;
      app.sys.boxes = &boxes;
      bench::PrepareApp(app, op);
      bench::Run(app, op);  // later runs rewrite the same values

      bench::RecordingRegistry recorder(win);
      app.sys.registry = &recorder;
      int handled = bench::Run(app, op).adapters;
      app.sys.registry = &win;
      bench::CallScript script = recorder.script();
      if (handled != adapters) {
        EmitProblem("registry", what,
                    "the operation handled " + std::to_string(handled) + " of " +
                        std::to_string(adapters) + " adapters");
        continue;
      }
      Win32Api api;
      std::vector<HKEY> slots;
      if (int bad = bench::Replay(script, api, slots)) {
        EmitProblem("registry", what,
                    std::to_string(bad) + " replayed calls returned another status");
        continue;
      }

      auto core = [&] { bench::Run(app, op); };
      auto floor = [&] { bench::Replay(script, api, slots); };
      // A few runs first: the first calls after seeding meet a busy wineserver.
      for (int i = 0; i < 2; ++i) {
        core();
        floor();
      }
      double once = TimeOne(1, core);
      int repeat = std::max(1, static_cast<int>(kSampleMs / std::max(once, 0.001)));
      std::vector<double> coreMs, floorMs;
      for (int r = 0; r < options.runs; ++r) {
        // Alternate which side goes first, so that neither always meets a
        // registry the other has just warmed.
        if (r % 2 == 0) {
          coreMs.push_back(TimeOne(repeat, core));
          floorMs.push_back(TimeOne(repeat, floor));
        } else {
          floorMs.push_back(TimeOne(repeat, floor));
          coreMs.push_back(TimeOne(repeat, core));
        }
      }
      char line[512];
      std::snprintf(line, sizeof line,
                    "{\"kind\":\"registry\",\"env\":\"wine\",\"op\":\"%s\",\"adapters\":%d,"
                    "\"core_us\":%.3f,\"floor_us\":%.3f,\"calls\":%zu,\"samples\":%d,"
                    "\"repeat\":%d}",
                    bench::Name(op), adapters, 1000 * Median(coreMs), 1000 * Median(floorMs),
                    script.calls.size(), options.runs, repeat);
      Emit(line);
    }
    ClearBenchMachine(op);
  }
  return 0;
}

}  // namespace driver
