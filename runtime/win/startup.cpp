// The program's entry point, in place of the C runtime's start-up code (which
// Debian builds for the Pentium Pro): the processor is checked before any
// other code runs; then the static constructors, WinMain, the functions
// registered with atexit, and the process ends with WinMain's exit code.
//
// Threads. The programs start worker threads: velora.exe one for the
// companion's start, vldetect.exe one per ping. Nothing here locks: the
// atexit list below, and the first use of a function-local static (built
// with -fno-threadsafe-statics, cmake/lean_program.cmake), take no lock.
// That holds because
// - the static constructors run here, before WinMain and so before any
//   thread starts, and whatever a worker shares with the main thread is made
//   by them (a namespace-scope object) or before the worker starts;
// - a worker runs no code that first constructs a function-local static or
//   registers with atexit; the main thread alone does;
// - each program keeps its workers apart by one rule, written where it
//   holds (app/win/companion_start.h, CCompanionWnd::StartPing): a worker
//   starts only once the one before it has ended.
#include <windows.h>

#include <cstdlib>

#include "runtime/command_tail.h"
#include "runtime/cpu_check.h"
#include "runtime/win/cpu_probe.h"
#include "runtime/win/runtime_fatal.h"

extern "C" {
// Laid out by the linker's default script: -1, the functions, 0.
typedef void (*StaticFunc)();
extern StaticFunc __CTOR_LIST__[];
extern StaticFunc __DTOR_LIST__[];
}

namespace {

// What atexit registered, the latest first. Kept in the process heap: atexit
// tells a failure by its result, where operator new would end the program.
struct ExitFunc {
  void (*func)();
  ExitFunc* next;
};
ExitFunc* g_exitFuncs = nullptr;

[[noreturn]] void RefuseProcessor(vl::CpuVerdict verdict) {
  char message[512];
  vl::CpuRefusalText(verdict, vl::kRuntimeCaption, message, sizeof message);
  MessageBoxA(nullptr, message, vl::kRuntimeCaption, MB_OK | MB_ICONSTOP);
  ExitProcess(1);
}

// From the last to the first, as GCC's own start-up code does: the
// constructors of one object file in order, object files in reverse.
void RunStaticConstructors() {
  size_t count = 0;
  while (__CTOR_LIST__[count + 1]) ++count;
  for (size_t i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

void RunStaticDestructors() {
  for (StaticFunc* f = __DTOR_LIST__ + 1; *f; ++f) (*f)();
}

[[noreturn]] void ExitWith(int code) {
  while (ExitFunc* entry = g_exitFuncs) {
    g_exitFuncs = entry->next;  // a function that registers another still sees it run
    entry->func();
    HeapFree(GetProcessHeap(), 0, entry);
  }
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace

// GCC registers the destructor of each static object here as it constructs
// it; only the main thread constructs them (see the notes on threads above).
extern "C" int __cdecl atexit(void(__cdecl* func)(void)) {
  ExitFunc* entry = static_cast<ExitFunc*>(HeapAlloc(GetProcessHeap(), 0, sizeof(ExitFunc)));
  if (!entry) return -1;
  entry->func = func;
  entry->next = g_exitFuncs;
  g_exitFuncs = entry;
  return 0;
}

// The linker's default entry point of a GUI program.
extern "C" void WinMainCRTStartup() {
  vl::CpuVerdict verdict = vl::JudgeCpu(vl::ProbeCpu());
  if (verdict != vl::CpuVerdict::Runs) RefuseProcessor(verdict);

  RunStaticConstructors();
  atexit(RunStaticDestructors);

  STARTUPINFOA startup;
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
  LPSTR tail = const_cast<LPSTR>(vl::CommandTail(GetCommandLineA()));
  ExitWith(WinMain(GetModuleHandleA(nullptr), nullptr, tail, show));
}
