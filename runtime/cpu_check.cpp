#include "runtime/cpu_check.h"

namespace vl {
namespace {

// Appends `text` at out[*used], leaving room for the final NUL.
void Append(const char* text, char* out, size_t size, size_t* used) {
  while (*text && *used + 1 < size) out[(*used)++] = *text++;
}

}  // namespace

CpuVerdict JudgeCpu(const CpuFacts& facts) {
  return facts.idFlag || facts.alignmentCheckFlag ? CpuVerdict::Runs : CpuVerdict::Before486;
}

void CpuRefusalText(CpuVerdict verdict, const char* program, char* out, size_t size) {
  if (size == 0) return;
  size_t used = 0;
  if (verdict == CpuVerdict::Before486) {
    Append(program, out, size, &used);
    Append(" needs a 486 processor or a later one.\n\n"
           "The processor of this computer is a 386 or of the 386's kind: it lacks the "
           "instructions that came with the 486.",
           out, size, &used);
  }
  out[used] = '\0';
}

}  // namespace vl
