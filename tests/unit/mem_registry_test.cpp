#include "platform/mem/mem_registry.h"

#include <gtest/gtest.h>

namespace vl {
namespace {

TEST(MemRegistry, NamesCompareWithoutCaseAndValuesKeepTheirBytes) {
  MemRegistry reg;
  reg.Put("HKLM\\System\\Foo", "Value", kRegSz, {'a', 'b'});  // no terminating NUL
  RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, reg.OpenKey(kHkeyLocalMachine, "SYSTEM\\foo", kKeyRead, &key));
  uint8_t buffer[8] = {};
  uint32_t size = sizeof buffer, type = 0;
  ASSERT_EQ(kErrorSuccess, reg.QueryValue(key, "VALUE", &type, buffer, &size));
  EXPECT_EQ(kRegSz, type);
  EXPECT_EQ(2u, size);
  size = 1;
  EXPECT_EQ(kErrorMoreData, reg.QueryValue(key, "value", &type, buffer, &size));
  EXPECT_EQ(2u, size);
  reg.CloseKey(key);
  EXPECT_EQ(0u, reg.OpenHandles());
}

TEST(MemRegistry, EnforcesAccessMasksLikeNt) {
  MemRegistry reg;
  reg.PutSz("HKLM\\A", "v", "x");
  RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, reg.OpenKey(kHkeyLocalMachine, "A", kKeyWrite, &key));
  uint32_t size = 0;
  EXPECT_EQ(kErrorAccessDenied, reg.QueryValue(key, "v", nullptr, nullptr, &size));
  EXPECT_EQ(kErrorSuccess, SetDword(reg, key, "d", 7));
  EXPECT_EQ(7, reg.GetDword("HKLM\\A", "d"));
  reg.CloseKey(key);
}

TEST(MemRegistry, FailsTheChosenCall) {
  MemRegistry reg;
  reg.AddKey("HKLM\\A");
  RegKey key = 0;
  reg.FailNthCall(2, kErrorAccessDenied);
  ASSERT_EQ(kErrorSuccess, reg.OpenKey(kHkeyLocalMachine, "A", kKeyAllAccess, &key));
  EXPECT_EQ(kErrorAccessDenied, SetSz(reg, key, "v", "x"));
  EXPECT_EQ("<absent>", reg.GetSz("HKLM\\A", "v"));
  EXPECT_EQ(kErrorSuccess, SetSz(reg, key, "v", "x"));
  EXPECT_EQ("x", reg.GetSz("HKLM\\A", "v"));
  reg.CloseKey(key);
}

}  // namespace
}  // namespace vl
