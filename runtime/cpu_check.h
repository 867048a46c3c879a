// Whether this processor can run the program, judged from what the start-up
// code found out about it before any other code ran.
//
// The i686 build is compiled for the 486 (-march=i486) and its code audited
// (tools/release/insn_audit.py) to hold the 486's integer instructions and
// nothing else: no x87 floating-point instruction, no CPUID, nothing of the
// Pentium or later. So it runs on the 486SX, which has no floating-point
// unit, and on every processor after it, but not on a 386, which lacks
// BSWAP, CMPXCHG and XADD.
#pragma once
#include <cstddef>

namespace vl {

// Two EFLAGS bits tell a 486 from a 386 without an instruction the 386
// lacks. The ID flag (bit 21) can be changed where CPUID exists: on the late
// 486s and every processor since, so its presence is enough; what CPUID
// reports is not asked, the program needs none of it. Where the ID flag is
// fixed (a 386, the early 486s, Cyrix processors with CPUID switched off),
// the alignment-check flag (bit 18), which the 486 brought,
// decides. It is tried only there: while it is set, a misaligned access
// faults where the system enables alignment checking.
struct CpuFacts {
  bool idFlag = false;              // CPUID exists
  bool alignmentCheckFlag = false;  // tried only where the ID flag is fixed
};

enum class CpuVerdict {
  Runs,
  Before486,  // a 386, or a processor of its kind
};

CpuVerdict JudgeCpu(const CpuFacts& facts);

// The text of the box that turns this processor away, for the program
// `program`, into `out` (`size` bytes, cut short if need be, always ended).
// Empty for CpuVerdict::Runs. Plain code with no library call: it runs on
// the processor it turns away.
void CpuRefusalText(CpuVerdict verdict, const char* program, char* out, size_t size);

}  // namespace vl
