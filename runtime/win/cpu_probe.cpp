#include "runtime/win/cpu_probe.h"

#include <cpuid.h>

namespace vl {

CpuFacts ProbeCpu() {
  CpuFacts facts;
  // On i386 this first toggles the ID bit of EFLAGS and returns 0 when it
  // stays as it was (a 386, most 486s); on x86-64 CPUID always exists.
  facts.maxLeaf = __get_cpuid_max(0, nullptr);
  if (facts.maxLeaf >= 1) {
    unsigned eax, ebx, ecx, edx;
    __cpuid(1, eax, ebx, ecx, edx);
    facts.signature = eax;
    facts.features = edx;
  }
  return facts;
}

}  // namespace vl
