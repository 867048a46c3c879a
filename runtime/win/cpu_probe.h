// Reads the processor's identification, on any x86 from the 386 on: CPUID
// is used only once the EFLAGS ID bit has shown that it exists.
#pragma once
#include "runtime/cpu_check.h"

namespace vl {

CpuFacts ProbeCpu();

}  // namespace vl
