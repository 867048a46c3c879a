// The pace of the Apply's progress: 100 steps, the writer at step 75, and the
// wait before each step in loop counts (a million counts is a millisecond of
// waiting). The command, the bench's floor and the tests take it from here.
#pragma once
#include <cstdint>

namespace vl {

constexpr int kApplySteps = 100;
constexpr int kApplyWriterStep = 75;

struct ApplyPace {
  int lastStep;     // the row holds the steps after the row before, up to this one
  uint64_t counts;  // the wait before each of its steps
};
// Slow at first, a longer pause at the writer's step, quick at the end.
inline constexpr ApplyPace kApplyPace[] = {
    {14, 5000000}, {34, 20000000}, {74, 10000000}, {75, 17000000}, {84, 20000000}, {100, 1000000},
};

// The wait before `step`, counted from 1.
constexpr uint64_t ApplyStepCount(int step) {
  for (const ApplyPace& row : kApplyPace)
    if (step <= row.lastStep) return row.counts;
  return 0;
}

}  // namespace vl
