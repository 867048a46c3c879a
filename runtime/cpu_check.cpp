#include "runtime/cpu_check.h"

namespace vl {
namespace {

const uint32_t kFeatureFpu = 1u << 0;

}  // namespace

uint32_t CpuFamily(uint32_t signature) {
  uint32_t family = (signature >> 8) & 0xF;
  if (family == 0xF) family += (signature >> 20) & 0xFF;
  return family;
}

CpuVerdict JudgeCpu(const CpuFacts& facts) {
  if (facts.maxLeaf < 1 || CpuFamily(facts.signature) < 5)
    return CpuVerdict::OlderThanPentium;
  if (!(facts.features & kFeatureFpu)) return CpuVerdict::NoFpu;
  return CpuVerdict::Runs;
}

const char* CpuRefusalReason(CpuVerdict verdict) {
  switch (verdict) {
    case CpuVerdict::Runs:
      return nullptr;
    case CpuVerdict::OlderThanPentium:
      return "The processor of this computer is a 386, a 486 or another kind older than the Pentium.";
    case CpuVerdict::NoFpu:
      return "The processor of this computer has no floating-point unit.";
  }
  return nullptr;
}

}  // namespace vl
