#include "runtime/win/cpu_probe.h"

#include <cstdint>

namespace vl {
namespace {

#if defined(__i386__)
const uint32_t kAlignmentCheckFlag = 1u << 18;
const uint32_t kIdFlag = 1u << 21;

// Whether a program can change the EFLAGS bit `flag`: on a processor without
// it, the bit stays as it was. EFLAGS is put back as found: where the bit is
// the alignment-check flag, checking is on only while the stack (4-byte
// aligned in every Win32 thread) is the one thing touched.
bool EflagsBitChangeable(uint32_t flag) {
  uint32_t found, taken;
  asm volatile(
      "pushfl\n\t"         // EFLAGS as found, for the last line
      "pushfl\n\t"
      "popl %0\n\t"        // found = EFLAGS
      "movl %0, %1\n\t"
      "xorl %2, %1\n\t"    // the bit turned over
      "pushl %1\n\t"
      "popfl\n\t"          // EFLAGS = that, as far as the processor takes it
      "pushfl\n\t"
      "popl %1\n\t"        // taken = what the processor took
      "popfl"              // EFLAGS as found
      : "=&r"(found), "=&r"(taken)
      : "ir"(flag)
      : "cc");
  return ((found ^ taken) & flag) != 0;
}
#endif

}  // namespace

CpuFacts ProbeCpu() {
  CpuFacts facts;
#if defined(__i386__)
  facts.idFlag = EflagsBitChangeable(kIdFlag);
  if (!facts.idFlag) facts.alignmentCheckFlag = EflagsBitChangeable(kAlignmentCheckFlag);
#else
  facts.idFlag = true;  // every x86-64 processor has CPUID
#endif
  return facts;
}

}  // namespace vl
