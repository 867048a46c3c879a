// Start-up, memory and the Apply: the real programs, started and driven from
// outside as a user would, in one Wine prefix.
#include "bench/win/driver.h"

#include <psapi.h>

#include <cstdio>

#include "bench/win/launched.h"
#include "platform/win/win_platform.h"
#include "res/resource.h"
#include "tests/e2e/harness.h"
#include "tuning/apply_command.h"

namespace driver {

namespace {

const char kAutoDialUpCaption[] = "Automatic Mode - Dial-Up";
const char kRestartQuestionStart[] = "System changes were successful done.";

struct Sample {
  bool ok = false;
  std::string error;
  double startupMs = 0;
  double cpuMs = 0;  // processor time the program spent to get there
  double peakKb = 0;
  double workingKb = 0;
};

Sample MeasureStartup(const std::string& exe, const std::string& dir, const char* cls) {
  Sample s;
  Launched p;
  double start = NowMs();
  if (!p.Start(exe, dir, &s.error)) return s;
  p.window = p.WaitReady(cls, 20000, &s.error);
  if (!p.window) return s;
  s.startupMs = NowMs() - start;
  ProcessorMs(p.pid(), &s.cpuMs);
  // Let what start-up left for the idle passes run before the memory is read.
  e2e::Settle(p.window, 300);
  PROCESS_MEMORY_COUNTERS pmc = {};
  pmc.cb = sizeof pmc;
  if (!GetProcessMemoryInfo(p.handle(), &pmc, sizeof pmc)) {
    s.error = "GetProcessMemoryInfo failed";
    return s;
  }
  s.peakKb = pmc.PeakWorkingSetSize / 1024.0;
  s.workingKb = pmc.WorkingSetSize / 1024.0;
  if (HWND box = e2e::FindAnyMessageBox(p.pid())) {
    s.error = "a message box showed at start-up: " + e2e::MessageBoxText(box);
    return s;
  }
  s.ok = true;
  return s;
}

}  // namespace

int RunStartup(const Options& options) {
  Install(options);
  e2e::ClearMachine();
  struct Variant {
    const char* name;
    std::string exe;
    std::string dir;
    const char* cls;
    std::vector<Sample> samples;
    std::string problem;
  };
  // The fair floor is the one the goal is set against; the bare floor stays
  // for comparison.
  std::vector<Variant> variants = {
      {"velora", std::string(kBenchDir) + "velora.exe", kBenchDir, kFrameClass, {}, ""},
      {"fair_floor", options.fairFloor, kBenchDir, kFairFloorClass, {}, ""},
      {"floor", options.floor, kBenchDir, kFloorClass, {}, ""},
      {"velora_alone", std::string(kAloneDir) + "velora.exe", kAloneDir, kFrameClass, {}, ""},
  };
  if (options.fairFloor.empty()) variants[1].problem = "no fair floor given (--fair-floor)";
  // One warm-up launch each: the first start of a program in a fresh prefix
  // pays for loading it from disk and for Wine's own set-up.
  for (int r = -1; r < options.runs; ++r) {
    for (size_t k = 0; k < variants.size(); ++k) {
      Variant& v = variants[TurnOrder(r + 1, k, variants.size())];
      if (!v.problem.empty()) continue;
      e2e::SeedInstallFolder(v.dir);
      PauseBetweenStarts();
      Sample s = MeasureStartup(v.exe, v.dir, v.cls);
      if (!s.ok) {
        v.problem = s.error;
        continue;
      }
      if (r >= 0) v.samples.push_back(s);
    }
  }
  e2e::SeedInstallFolder(kBenchDir);
  for (Variant& v : variants) {
    if (!v.problem.empty()) {
      EmitProblem("startup", v.name, v.problem);
      continue;
    }
    std::vector<double> ms, cpu, peak, working, ratio, fairRatio, peakRatio;
    const Variant& fair = variants[1];
    const Variant& floor = variants[2];
    for (size_t i = 0; i < v.samples.size(); ++i) {
      const Sample& s = v.samples[i];
      ms.push_back(s.startupMs);
      cpu.push_back(s.cpuMs);
      peak.push_back(s.peakKb);
      working.push_back(s.workingKb);
      // Each round starts every program once, one after the other.
      if (floor.problem.empty() && i < floor.samples.size()) {
        ratio.push_back(s.startupMs / floor.samples[i].startupMs);
        peakRatio.push_back(s.peakKb / floor.samples[i].peakKb);
      }
      if (fair.problem.empty() && i < fair.samples.size())
        fairRatio.push_back(s.startupMs / fair.samples[i].startupMs);
    }
    char line[512];
    std::snprintf(line, sizeof line,
                  "{\"kind\":\"startup\",\"what\":\"%s\",\"startup_ms\":%.2f,\"min_ms\":%.2f,"
                  "\"max_ms\":%.2f,\"cpu_ms\":%.1f,\"peak_ws_kb\":%.0f,\"ws_kb\":%.0f,"
                  "\"ratio\":%.4f,\"fair_ratio\":%.4f,\"peak_ratio\":%.4f,\"samples\":%zu,",
                  v.name, Median(ms), *std::min_element(ms.begin(), ms.end()),
                  *std::max_element(ms.begin(), ms.end()), Median(cpu), Median(peak),
                  Median(working), Median(ratio), Median(fairRatio), Median(peakRatio), ms.size());
    // Every start in the order taken, for a look at the spread.
    std::string all = line;
    all += "\"each_ms\":[";
    for (size_t i = 0; i < ms.size(); ++i) {
      char one[32];
      std::snprintf(one, sizeof one, "%s%.1f", i ? "," : "", ms[i]);
      all += one;
    }
    Emit(all + "]}");
  }
  return 0;
}

namespace {

struct ApplySample {
  bool ok = false;
  std::string error;
  double wallMs = 0;
  double cpuMs = 0;
  bool written = false;
};

// The Dial-Up adapter of the seeded machine got the automatic Dial-Up MTU.
bool Written() {
  return e2e::GetSz("System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000", "MaxMTU") ==
         "576";
}

HWND WaitForBox(DWORD pid, int timeoutMs) {
  double start = NowMs();
  while (NowMs() - start < timeoutMs) {
    if (HWND box = e2e::FindAnyMessageBox(pid)) return box;
    Sleep(2);
  }
  return nullptr;
}

// Readies velora.exe for the Apply as a user would: automatic Dial-Up chosen
// on the form and its dialog confirmed.
bool ChooseDialUp(Launched& p, std::string* error) {
  // The frame's second idle pass reads the mode file and may show the notice
  // of the active configuration. A user's first mouse move brings it before
  // any mode is chosen; posted messages stand in for that move (sent ones
  // start no idle pass). The window may be found ready before its first pass
  // has run, so two passes are seen to their end: the second is among them
  // either way, and no pass after the mode's choice can be it, whose notice
  // would then name the chosen mode. Without a mode file no notice should
  // come.
  for (int pass = 0; pass < 2; ++pass)
    if (!e2e::IdlePass(p.window)) break;  // a box holds the loop
  if (HWND notice = e2e::FindAnyMessageBox(p.pid())) e2e::Answer(notice, IDOK);
  HWND form = FindWindowExA(p.window, nullptr, "#32770", nullptr);
  if (!form) {
    *error = "the frame has no form";
    return false;
  }
  // Choosing the mode opens a modal dialog, so the click is posted.
  e2e::Click(form, IDC_MODE_DIALUP);
  HWND dialog = e2e::WaitForWindow(p.pid(), "#32770", kAutoDialUpCaption, 10000);
  if (!dialog) {
    *error = std::string("the \"") + kAutoDialUpCaption + "\" dialog did not open";
    return false;
  }
  if (!e2e::Answer(dialog, IDOK)) {
    *error = "the automatic-mode dialog did not close on OK";
    return false;
  }
  e2e::Settle(p.window);
  return true;
}

// One Apply of velora.exe on a seeded Windows 98 machine, or the same
// command posted to the floor program.
ApplySample MeasureApply(const std::string& exe, bool velora) {
  ApplySample s;
  if (velora) {
    e2e::SeedWin98Machine();
    e2e::SeedInstallFolder(kBenchDir);
    e2e::RemoveFile(std::string(kBenchDir) + "Velora.cfg");
  }
  Launched p;
  if (!p.Start(exe, kBenchDir, &s.error)) return s;
  p.window = p.WaitReady(velora ? kFrameClass : kFloorClass, 20000, &s.error);
  if (!p.window) return s;
  if (velora && !ChooseDialUp(p, &s.error)) return s;
  e2e::Settle(p.window);

  double cpuBefore = 0, cpuAfter = 0;
  bool haveCpu = ProcessorMs(p.pid(), &cpuBefore);
  double start = NowMs();
  e2e::PostCommand(p.window, ID_APPLY_NEW_SETTINGS);
  HWND box = WaitForBox(p.pid(), 30000);
  double end = NowMs();
  haveCpu = haveCpu && ProcessorMs(p.pid(), &cpuAfter);
  if (!box) {
    s.error = "no box within 30 s of the Apply command";
    if (velora)
      s.error += Written() ? ", and the settings were written" : ", and nothing was written";
    return s;
  }
  std::string text = e2e::MessageBoxText(box);
  if (velora && text.compare(0, sizeof kRestartQuestionStart - 1, kRestartQuestionStart) != 0) {
    s.error = "the Apply ended with another box: " + text;
    return s;
  }
  if (!haveCpu) {
    s.error = "the processor time of the program could not be read";
    return s;
  }
  s.wallMs = end - start;
  s.cpuMs = cpuAfter - cpuBefore;
  s.written = !velora || Written();

  e2e::Answer(box, IDNO);
  HWND reminder = WaitForBox(p.pid(), 10000);
  if (!reminder) {
    s.error = "no reminder box after the answer No";
    return s;
  }
  e2e::Answer(reminder, IDOK);
  s.ok = true;
  return s;
}

// The floor of the Apply: the same 100 paced waits in a bare loop.
struct PaceSample {
  double wallMs = 0;
  double cpuMs = 0;
};

double OwnProcessorMs() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                               t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

PaceSample MeasurePace() {
  vl::WinPacer pacer;
  PaceSample s;
  double cpu = OwnProcessorMs();
  double start = NowMs();
  for (int step = 1; step <= vl::kApplySteps; ++step) pacer.Wait(vl::ApplyStepCount(step));
  s.wallMs = NowMs() - start;
  s.cpuMs = OwnProcessorMs() - cpu;
  return s;
}

}  // namespace

int RunApply(const Options& options) {
  Install(options);
  struct Side {
    const char* name = "";
    std::string exe;
    bool velora = false;
    std::vector<double> wall, cpu;
    bool written = true;
    std::string problem;
  };
  std::vector<Side> sides(2);
  sides[0].name = "velora";
  sides[0].exe = std::string(kBenchDir) + "velora.exe";
  sides[0].velora = true;
  sides[1].name = "floor";
  sides[1].exe = options.floor;
  sides[1].velora = false;
  std::vector<double> paceWall, paceCpu;
  for (int r = 0; r < options.runs; ++r) {
    for (size_t k = 0; k < sides.size(); ++k) {
      Side& side = sides[(k + static_cast<size_t>(r)) % sides.size()];
      if (!side.problem.empty()) continue;
      ApplySample s = MeasureApply(side.exe, side.velora);
      if (!s.ok) {
        side.problem = s.error;
        continue;
      }
      side.wall.push_back(s.wallMs);
      side.cpu.push_back(s.cpuMs);
      side.written = side.written && s.written;
    }
    PaceSample pace = MeasurePace();
    paceWall.push_back(pace.wallMs);
    paceCpu.push_back(pace.cpuMs);
  }
  e2e::ClearMachine();
  e2e::SeedInstallFolder(kBenchDir);
  for (Side& side : sides) {
    if (!side.problem.empty()) {
      EmitProblem("apply", side.name, side.problem);
      continue;
    }
    char line[768];
    std::snprintf(line, sizeof line,
                  "{\"kind\":\"apply\",\"what\":\"%s\",\"wall_ms\":%.1f,\"cpu_ms\":%.1f,"
                  "\"min_wall_ms\":%.1f,\"max_wall_ms\":%.1f,"
                  "\"written\":%s,\"samples\":%zu}",
                  side.name, Median(side.wall), Median(side.cpu),
                  *std::min_element(side.wall.begin(), side.wall.end()),
                  *std::max_element(side.wall.begin(), side.wall.end()),
                  side.written ? "true" : "false", side.wall.size());
    Emit(line);
  }
  char line[256];
  std::snprintf(line, sizeof line,
                "{\"kind\":\"apply\",\"what\":\"pace\",\"wall_ms\":%.1f,\"cpu_ms\":%.1f,"
                "\"samples\":%zu}",
                Median(paceWall), Median(paceCpu), paceWall.size());
  Emit(line);
  return 0;
}

// The companion at rest, with no dial-up connection: it only looks at the
// line now and then. Its processor time over one idle minute and its working
// set, beside those of a bare hidden window over the same minute.
int RunIdle(const Options& options) {
  constexpr DWORD kIdleMs = 60 * 1000;
  struct Resident {
    const char* name;
    std::string exe;
    const char* title;
    Launched p;
    double cpuBefore = 0;
    std::string problem;
  };
  Resident programs[] = {{"vldetect", options.vldetect, "VL - Net Detect", {}, 0, ""},
                         {"floor", options.idleFloor, "Idle Floor", {}, 0, ""}};
  for (Resident& r : programs) {
    if (!r.p.Start(r.exe, kBenchDir, &r.problem)) continue;
    // Both windows stay hidden.
    r.p.window = e2e::WaitForWindow(r.p.pid(), nullptr, r.title, 20000, /*visibleOnly=*/false);
    if (!r.p.window) r.problem = "no window within 20 s (another companion running?)";
  }
  Sleep(2000);  // past start-up
  for (Resident& r : programs)
    if (r.problem.empty() && !ProcessorMs(r.p.pid(), &r.cpuBefore))
      r.problem = "the processor time could not be read";
  Sleep(kIdleMs);
  for (Resident& r : programs) {
    double cpuAfter = 0;
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof pmc;
    if (r.problem.empty() && !ProcessorMs(r.p.pid(), &cpuAfter))
      r.problem = "the processor time could not be read";
    if (r.problem.empty() && !GetProcessMemoryInfo(r.p.handle(), &pmc, sizeof pmc))
      r.problem = "GetProcessMemoryInfo failed";
    if (!r.problem.empty()) {
      EmitProblem("idle", r.name, r.problem);
      continue;
    }
    char line[256];
    std::snprintf(line, sizeof line,
                  "{\"kind\":\"idle\",\"what\":\"%s\",\"cpu_ms\":%.1f,\"seconds\":%lu,"
                  "\"ws_kb\":%.0f,\"peak_ws_kb\":%.0f}",
                  r.name, cpuAfter - r.cpuBefore, static_cast<unsigned long>(kIdleMs / 1000),
                  pmc.WorkingSetSize / 1024.0, pmc.PeakWorkingSetSize / 1024.0);
    Emit(line);
  }
  return 0;
}

}  // namespace driver
