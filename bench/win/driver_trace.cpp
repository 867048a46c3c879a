// Where start-up time goes: velora.exe's traced build and the floor note the
// moments their steps end (runtime/win/startup_trace.h); the driver sets them
// against its own clock reading taken just before it started the program.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <utility>

#include "bench/win/launched.h"
#include "tests/e2e/harness.h"

namespace driver {

namespace {

const char kTraceFile[] = "C:\\VeloraBench\\trace.txt";

struct Step {
  std::string name;
  double at;      // ms after the start
  double took;    // ms since the main thread's previous step (or the start)
  bool beside;    // a step of another thread than the main one
};

// The steps of one run in the order they ended; empty when the program
// wrote no trace.
std::vector<Step> ReadTrace(double startMs) {
  std::vector<Step> steps;
  std::ifstream in(kTraceFile);
  std::string word;
  double frequency = 0;
  if (!(in >> word >> frequency) || word != "frequency" || frequency <= 0) return steps;
  long long counter;
  char thread;
  while (in >> counter >> thread) {
    std::string name;
    std::getline(in, name);
    if (!name.empty() && name[0] == ' ') name.erase(0, 1);
    double at = 1000.0 * static_cast<double>(counter) / frequency - startMs;
    steps.push_back({name, at, 0, thread != 'm'});
  }
  std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return a.at < b.at; });
  double previous = 0;
  for (Step& s : steps) {
    s.took = s.at - previous;
    if (!s.beside) previous = s.at;
  }
  return steps;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

}  // namespace

int RunTrace(const Options& options) {
  Install(options);
  e2e::ClearMachine();
  SetEnvironmentVariableA("VELORA_TRACE", kTraceFile);
  struct Variant {
    Variant(const char* name, std::string exe, const char* dir, const char* cls)
        : name(name), exe(std::move(exe)), dir(dir), cls(cls) {}
    const char* name;
    std::string exe;
    const char* dir;
    const char* cls;
    std::map<std::string, std::vector<double>> at, took;
    std::map<std::string, bool> beside;
    std::vector<double> ready;
    std::string problem;
  };
  Variant variants[] = {
      {"velora", std::string(kBenchDir) + "velora_trace.exe", kBenchDir, kFrameClass},
      {"fair_floor", options.fairFloor, kBenchDir, kFairFloorClass},
      {"floor", options.floor, kBenchDir, kFloorClass},
      {"velora_alone", std::string(kAloneDir) + "velora_trace.exe", kAloneDir, kFrameClass},
  };
  if (options.fairFloor.empty()) variants[1].problem = "no fair floor given (--fair-floor)";
  const size_t count = sizeof variants / sizeof variants[0];
  for (int r = -1; r < options.runs; ++r) {  // the first round warms up
    for (size_t k = 0; k < count; ++k) {
      Variant& v = variants[TurnOrder(r + 1, k, count)];
      if (!v.problem.empty()) continue;
      e2e::SeedInstallFolder(v.dir);
      e2e::RemoveFile(kTraceFile);
      PauseBetweenStarts();
      Launched p;
      const double start = NowMs();
      if (!p.Start(v.exe, v.dir, &v.problem)) continue;
      p.window = p.WaitReady(v.cls, 20000, &v.problem);
      const double ready = NowMs() - start;
      // The trace is written on the way out, once every step is over.
      p.End();
      if (!p.window) continue;
      std::vector<Step> steps = ReadTrace(start);
      if (steps.empty()) {
        v.problem = "the program wrote no trace";
        continue;
      }
      if (r < 0) continue;
      v.ready.push_back(ready);
      for (const Step& s : steps) {
        v.at[s.name].push_back(s.at);
        v.took[s.name].push_back(s.took);
        v.beside[s.name] = s.beside;
      }
    }
  }
  SetEnvironmentVariableA("VELORA_TRACE", nullptr);
  e2e::RemoveFile(kTraceFile);
  e2e::SeedInstallFolder(kBenchDir);
  for (Variant& v : variants) {
    if (!v.problem.empty()) {
      EmitProblem("trace", v.name, v.problem);
      continue;
    }
    std::vector<std::pair<double, std::string>> order;
    for (const auto& step : v.at) order.emplace_back(Median(step.second), step.first);
    std::sort(order.begin(), order.end());
    std::ostringstream line;
    line << "{\"kind\":\"trace\",\"what\":\"" << v.name << "\",\"ready_ms\":"
         << Number(Median(v.ready)) << ",\"samples\":" << v.ready.size() << ",\"steps\":[";
    for (size_t i = 0; i < order.size(); ++i) {
      const std::string& name = order[i].second;
      line << (i ? "," : "") << "{\"step\":" << Quote(name) << ",\"ms\":" << Number(order[i].first)
           << ",\"took_ms\":" << Number(Median(v.took[name]))
           << ",\"beside\":" << (v.beside[name] ? "true" : "false") << "}";
    }
    line << "]}";
    Emit(line.str());
  }
  return 0;
}

}  // namespace driver
