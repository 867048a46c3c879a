// The benchmark driver that runs inside Wine. Each mode prints its results
// as JSON lines on stdout; tools/bench.sh collects them.
#pragma once
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace driver {

double NowMs();  // a monotonic clock in milliseconds

template <typename T>
double Median(std::vector<T> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// Quotes a text for JSON.
std::string Quote(const std::string& text);
void Emit(const std::string& json);
// A result line that says why a figure could not be taken.
void EmitProblem(const std::string& kind, const std::string& what, const std::string& why);

struct Options {
  int runs = 15;
  std::string velora;     // path of velora.exe to measure
  std::string companion;  // the stand-in companion program
  std::string floor;      // floor.exe, the bare window
  std::string fairFloor;  // fair_floor.exe, the same window with the form's template
  std::string vldetect;   // the real companion, for its cost at idle
  std::string idleFloor;  // idle_floor.exe
  std::string traced;     // velora_trace.exe, velora.exe timing its start-up steps
};

int RunRegistry(const Options& options);
int RunStartup(const Options& options);
int RunApply(const Options& options);
int RunIdle(const Options& options);
int RunTrace(const Options& options);

}  // namespace driver
