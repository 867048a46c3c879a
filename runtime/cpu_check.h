// Whether this processor can run the program, judged from what the start-up
// code read of it before any other code ran. The i686 build is compiled for
// the Pentium (-march=i586) and its code audited (tools/release/insn_audit.py)
// to hold only the 486's integer instructions, CPUID and the x87 floating-
// point unit's: so a Pentium-class processor with an FPU runs it, CMPXCHG8B
// or not (the IDT WinChip does not report it).
#pragma once
#include <cstdint>

namespace vl {

struct CpuFacts {
  uint32_t maxLeaf = 0;    // CPUID 0, EAX; 0 also when there is no CPUID
  uint32_t signature = 0;  // CPUID 1, EAX: stepping, model, family
  uint32_t features = 0;   // CPUID 1, EDX
};

enum class CpuVerdict {
  Runs,
  OlderThanPentium,  // no CPUID, or a family below 5
  NoFpu,
};

// The family as Intel and AMD define it: the base family, plus the extended
// family when the base one reads 15.
uint32_t CpuFamily(uint32_t signature);

CpuVerdict JudgeCpu(const CpuFacts& facts);

// The second paragraph of the refusal box: why this processor cannot run
// the program. Null for CpuVerdict::Runs.
const char* CpuRefusalReason(CpuVerdict verdict);

}  // namespace vl
