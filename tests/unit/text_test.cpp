#include "platform/text.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(Atoi, FollowsTheCLibraryRules) {
  struct Case {
    std::string text;
    int value;
  } const cases[] = {
      {"1500", 1500}, {"  \t\n576", 576}, {"+32", 32},   {"-40", -40},  {"12abc", 12},
      {"x6", 0},      {"", 0},            {"-", 0},      {" - 5", 0},   {"1 2", 1},
      {"007", 7},     {"\v\f\r9", 9},     {"2147483647", 2147483647},   {"4294967296", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, Atoi(c.text)) << '"' << c.text << '"';
}

TEST(TrimBlanks, RemovesTheSixBlanksAtBothEndsOnly) {
  const struct {
    std::string text, trimmed;
  } cases[] = {
      {" 576 ", "576"},
      {"\t\n\v\f\r 42 \r\n", "42"},
      {"1 5", "1 5"},
      {"   ", ""},
      {"", ""},
      {std::string("\0x\0", 3), std::string("\0x\0", 3)},  // NUL is no blank
      {"\xA0x\xA0", "\xA0x\xA0"},  // nor the code page's no-break space
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.trimmed, TrimBlanks(c.text)) << '"' << c.text << '"';
    EXPECT_EQ(c.trimmed.empty(), IsBlankText(c.text)) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace vl
