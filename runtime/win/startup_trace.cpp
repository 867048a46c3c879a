#include "runtime/win/startup_trace.h"

#ifdef VELORA_STARTUP_TRACE
#include <windows.h>

#include <cstdio>

namespace vl {

namespace {

struct Mark {
  const char* step;
  LONGLONG counter;
  DWORD thread;
};

constexpr LONG kMaxMarks = 64;
Mark g_marks[kMaxMarks];
volatile LONG g_count = 0;
volatile LONG g_written = 0;

}  // namespace

void TraceStep(const char* step) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  // Steps that come again (the idle pass) count once. The step is known by
  // its text's address: each call site passes its own literal.
  for (LONG i = 0; i < g_count && i < kMaxMarks; ++i)
    if (g_marks[i].step == step) return;
  LONG slot = InterlockedIncrement(&g_count) - 1;
  if (slot >= kMaxMarks) return;
  g_marks[slot] = {step, now.QuadPart, GetCurrentThreadId()};
}

void TraceEnd() {
  if (InterlockedExchange(&g_written, 1)) return;
  char path[MAX_PATH];
  DWORD n = GetEnvironmentVariableA("VELORA_TRACE", path, sizeof path);
  if (n == 0 || n >= sizeof path) return;
  FILE* f = std::fopen(path, "w");
  if (!f) return;
  // The performance counter runs system-wide, so the bench sets these
  // against its own reading taken before it started the program. "m" marks
  // a step of the main thread (the one that ends the trace), "o" one beside
  // it.
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::fprintf(f, "frequency %lld\n", static_cast<long long>(frequency.QuadPart));
  LONG count = g_count < kMaxMarks ? g_count : kMaxMarks;
  for (LONG i = 0; i < count; ++i)
    std::fprintf(f, "%lld %c %s\n", static_cast<long long>(g_marks[i].counter),
                 g_marks[i].thread == GetCurrentThreadId() ? 'm' : 'o', g_marks[i].step);
  std::fclose(f);
}

}  // namespace vl
#endif
