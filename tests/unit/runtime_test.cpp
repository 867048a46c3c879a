#include <gtest/gtest.h>

#include <cstring>

#include "runtime/command_tail.h"
#include "runtime/cpu_check.h"

namespace vl {
namespace {

// The code holds the 486's integer instructions and no x87 one: what CPUID
// would report and whether there is a floating-point unit change nothing.
TEST(JudgeCpu, ProcessorsOfTheTime) {
  struct Case {
    const char* what;
    bool idFlag, alignmentCheckFlag;
    CpuVerdict expected;
  } const cases[] = {
      {"386DX or 386SX, with or without a 387", false, false, CpuVerdict::Before486},
      {"486SX: no floating-point unit, no CPUID", false, true, CpuVerdict::Runs},
      {"486DX without CPUID; Cyrix 6x86 with CPUID switched off", false, true, CpuVerdict::Runs},
      {"486DX4 with CPUID (the alignment-check flag then goes untried)", true, false,
       CpuVerdict::Runs},
      {"Pentium, Pentium MMX, AMD K5 and K6, Pentium Pro and later", true, false, CpuVerdict::Runs},
  };
  for (const auto& c : cases) {
    CpuFacts facts;
    facts.idFlag = c.idFlag;
    facts.alignmentCheckFlag = c.alignmentCheckFlag;
    EXPECT_EQ(c.expected, JudgeCpu(facts)) << c.what;
  }
}

TEST(CpuRefusalText, TheBoxSaysWhatIsMissing) {
  char text[512];
  CpuRefusalText(CpuVerdict::Before486, "Velora 2001", text, sizeof text);
  EXPECT_STREQ(
      "Velora 2001 needs a 486 processor or a later one.\n\n"
      "The processor of this computer is a 386 or of the 386's kind: it lacks the instructions "
      "that came with the 486.",
      text);

  CpuRefusalText(CpuVerdict::Runs, "Velora 2001", text, sizeof text);
  EXPECT_STREQ("", text);
}

TEST(CpuRefusalText, CutShortToTheBuffer) {
  char text[8];
  std::memset(text, 'x', sizeof text);
  CpuRefusalText(CpuVerdict::Before486, "Velora 2001", text, sizeof text);
  EXPECT_STREQ("Velora ", text);

  CpuRefusalText(CpuVerdict::Before486, "Velora 2001", text, 1);
  EXPECT_STREQ("", text);
  text[0] = 'x';
  CpuRefusalText(CpuVerdict::Before486, "Velora 2001", text, 0);
  EXPECT_EQ('x', text[0]) << "nothing written into no room";
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
