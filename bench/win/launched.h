// What the start-up, Apply, idle and trace measurements share: the bench's
// install folder, and a program started for one measurement.
#pragma once
#include <windows.h>

#include <string>

#include "bench/win/driver.h"
#include "platform/win/scoped_handle.h"

namespace driver {

extern const char kFrameClass[];
extern const char kFloorClass[];
extern const char kFairFloorClass[];
extern const char kBenchDir[];
extern const char kAloneDir[];  // velora.exe with no companion beside it

// The installed program: velora.exe (and its traced build) with the
// companion beside it in kBenchDir, and a second copy alone in kAloneDir.
// Throws when a file cannot be copied.
void Install(const Options& options);

// Which of `count` programs starts `k`-th in round `round` (from 0): rounds
// of a balanced Latin square, in which, over `count` rounds (an even count),
// each program starts first as often as the others and comes right after
// each other program exactly once. A program pays for what the one before
// it left Wine to tidy up; always following the same one would load it
// with that one's leavings.
size_t TurnOrder(int round, size_t k, size_t count);
// A pause between one measured start and the next, in which Wine ends what
// is left of the program before (its windows, its server-side objects).
void PauseBetweenStarts();

// Processor time of another process in milliseconds. GetProcessTimes of
// another process stays at its first figures under Wine 8; the system's
// process list carries the live figures on Windows and on Wine alike.
bool ProcessorMs(DWORD pid, double* ms);

// A program started for one measurement; ends it and anything it started.
class Launched {
 public:
  ~Launched() { End(); }
  bool Start(const std::string& exe, const std::string& dir, std::string* error);
  // Waits for the visible top-level window of the class, then until the
  // program has handled everything queued for it.
  HWND WaitReady(const char* cls, int timeoutMs, std::string* error);
  // Closes the window (or ends the process) and waits for the end.
  void End();
  HANDLE handle() const { return process_.get(); }
  DWORD pid() const { return pid_; }
  HWND window = nullptr;

 private:
  vl::ScopedHandle process_;
  vl::ScopedHandle thread_;
  DWORD pid_ = 0;
};

}  // namespace driver
