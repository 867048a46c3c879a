// Finds out what runtime/cpu_check.h judges, on any x86 from the 386 on.
// Compiled for the 386 in the i686 build (cmake/lean_program.cmake): it runs
// before the processor has been judged.
#pragma once
#include "runtime/cpu_check.h"

namespace vl {

CpuFacts ProbeCpu();

}  // namespace vl
