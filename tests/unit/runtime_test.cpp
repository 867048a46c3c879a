#include <gtest/gtest.h>

#include "runtime/command_tail.h"
#include "runtime/cpu_check.h"

namespace vl {
namespace {

const uint32_t kFpu = 1u << 0;
const uint32_t kTsc = 1u << 4;
const uint32_t kCx8 = 1u << 8;
const uint32_t kMmx = 1u << 23;

TEST(JudgeCpu, ProcessorsOfTheTime) {
  struct Case {
    const char* what;
    uint32_t maxLeaf, signature, features;
    CpuVerdict expected;
  } const cases[] = {
      {"386, or 486 without CPUID (ID bit fixed)", 0, 0, 0, CpuVerdict::OlderThanPentium},
      {"486DX4 with CPUID", 1, 0x480, kFpu, CpuVerdict::OlderThanPentium},
      {"AMD 5x86 (a 486 family)", 1, 0x4F4, kFpu, CpuVerdict::OlderThanPentium},
      {"CPUID without its leaf 1", 0, 0x543, kFpu | kCx8, CpuVerdict::OlderThanPentium},
      {"Pentium P54C", 1, 0x52C, kFpu | kTsc | kCx8, CpuVerdict::Runs},
      {"Pentium MMX", 1, 0x543, kFpu | kTsc | kCx8 | kMmx, CpuVerdict::Runs},
      {"AMD K6-2", 1, 0x58C, kFpu | kTsc | kCx8 | kMmx, CpuVerdict::Runs},
      {"Pentium II", 2, 0x652, 0x0183F9FF, CpuVerdict::Runs},
      {"Pentium 4, base family 15", 2, 0xF29, 0xBFEBFBFF, CpuVerdict::Runs},
      {"AMD Zen, extended family 0x17", 0x10, 0x800F12, 0x178BFBFF, CpuVerdict::Runs},
      {"Pentium-class without FPU", 1, 0x520, kTsc | kCx8, CpuVerdict::NoFpu},
      {"IDT WinChip C6, CMPXCHG8B not reported", 1, 0x541, kFpu | kTsc | kMmx, CpuVerdict::Runs},
  };
  for (const auto& c : cases) {
    CpuFacts facts;
    facts.maxLeaf = c.maxLeaf;
    facts.signature = c.signature;
    facts.features = c.features;
    CpuVerdict verdict = JudgeCpu(facts);
    EXPECT_EQ(c.expected, verdict) << c.what;
    // The refusal box shows the reason: one for every refusal, none otherwise.
    EXPECT_EQ(verdict == CpuVerdict::Runs, CpuRefusalReason(verdict) == nullptr) << c.what;
  }
}

TEST(CpuFamily, ExtendedFamilyCountsOnlyAfterBaseFifteen) {
  EXPECT_EQ(5u, CpuFamily(0x543));
  EXPECT_EQ(6u, CpuFamily(0x1006F0)) << "extended bits beside a base family of 6";
  EXPECT_EQ(15u, CpuFamily(0xF29));
  EXPECT_EQ(0x17u, CpuFamily(0x800F12));
}

TEST(CommandTail, WhatWinMainReceives) {
  struct Case {
    const char* line;
    const char* tail;
  } const cases[] = {
      {"", ""},
      {"velora.exe", ""},
      {"velora.exe /detect", "/detect"},
      {"velora.exe \t  about  x", "about  x"},
      {"\"C:\\Program Files\\Velora\\velora.exe\"  ping", "ping"},
      {"\"C:\\Program Files\\Velora\\velora.exe\"ping detect", "detect"},
      {"\"C:\\Velora\\velora.exe", ""},
      {"C:\\V\xE9lora\\velora.exe detect", "detect"},
  };
  for (const auto& c : cases) EXPECT_STREQ(c.tail, CommandTail(c.line)) << c.line;
}

}  // namespace
}  // namespace vl
