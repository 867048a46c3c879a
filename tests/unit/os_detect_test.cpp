#include "state/os_detect.h"

#include <gtest/gtest.h>

#include "tests/unit/kit/mem_app.h"

namespace vl {
namespace {

const std::string kWindows = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion";
const std::string kWindowsNt = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion";

TEST(DetectOsName, EachWayTheNameComesOut) {
  struct Case {
    const char* what;
    bool windowsKey;
    const char* windowsProduct;  // null: no value
    bool ntKey;
    const char* ntProduct;
    std::string expected;
  } const cases[] = {
      {"Windows 98", true, "Microsoft Windows 98", false, nullptr, "98"},
      {"Windows Me", true, "Microsoft Windows Me", true, "ignored", "Me"},
      {"one character", true, "X", false, nullptr, "X"},
      {"empty product name", true, "", false, nullptr, ""},
      {"Windows key without product", true, nullptr, true, "Microsoft Windows 2000", "NT"},
      {"only the NT key, with product", false, nullptr, true, "Anything at all", "2000"},
      {"only the NT key, without product", false, nullptr, true, nullptr, "NT"},
      {"neither key", false, nullptr, false, nullptr, "NT"},
  };
  for (const auto& c : cases) {
    MemApp m;
    m.reg.RemoveKey("HKLM\\Software");
    if (c.windowsKey) m.reg.AddKey(kWindows);
    if (c.windowsProduct) m.reg.PutSz(kWindows, "ProductName", c.windowsProduct);
    if (c.ntKey) m.reg.AddKey(kWindowsNt);
    if (c.ntProduct) m.reg.PutSz(kWindowsNt, "ProductName", c.ntProduct);
    EXPECT_EQ(c.expected, DetectOsName(m.reg)) << c.what;
    EXPECT_EQ(0u, m.reg.OpenHandles()) << c.what;
    for (const RegCall& call : m.reg.Calls()) {
      if (call.op == RegOp::Open) { EXPECT_EQ(kKeyRead, call.access) << c.what; }
      if (c.windowsKey) { EXPECT_EQ(std::string::npos, call.path.find("Windows NT")) << c.what; }
    }
  }
}

TEST(DetectOsName, OversizeOrUnterminatedProductName) {
  MemApp m;
  m.reg.PutSz(kWindows, "ProductName", std::string(1000, 'x') + "98");
  EXPECT_EQ("NT", DetectOsName(m.reg)) << "too long for the buffer reads like a missing one";

  m.reg.Put(kWindows, "ProductName", kRegSz, {'9', '5'});
  EXPECT_EQ("95", DetectOsName(m.reg));
}

TEST(OsFamily, OnlyExactNtOrTwoThousandIsNt) {
  for (const char* nt : {"NT", "2000"}) EXPECT_TRUE(IsNtFamily(nt)) << nt;
  for (const char* nine : {"98", "95", "Me", "ME", "", "nt", "NT ", "2000 "})
    EXPECT_FALSE(IsNtFamily(nine)) << nine;
}

// The NT version decides where settings go and which ones Windows reads;
// Windows 10 and 11 keep "6.3" in CurrentVersion and their own number beside
// it.
TEST(WindowsVersionDetection, ComesFromTheNtCurrentVersionKey) {
  const struct {
    const char* version;  // null: no value
    long long major;      // -1: no value
    WindowsVersion expected;
  } cases[] = {
      {"4.0", -1, WindowsVersion::Nt4},         {"3.51", -1, WindowsVersion::Nt4},
      {"5.0", -1, WindowsVersion::Windows2000}, {"5.1", -1, WindowsVersion::WindowsXp},
      {"5.2", -1, WindowsVersion::WindowsXp},   {"6.0", -1, WindowsVersion::Vista},
      {"6.1", -1, WindowsVersion::Vista},       {"6.3", 10, WindowsVersion::Vista},
      {"5.1", 10, WindowsVersion::Vista},       {nullptr, 10, WindowsVersion::Vista},
      {nullptr, -1, WindowsVersion::Nt4},       {"", -1, WindowsVersion::Nt4},
      {"5.1", 5, WindowsVersion::WindowsXp},
  };
  for (const auto& c : cases) {
    MemApp m;
    m.reg.AddKey(kWindowsNt);
    if (c.version) m.reg.PutSz(kWindowsNt, "CurrentVersion", c.version);
    if (c.major >= 0) m.reg.PutDword(kWindowsNt, "CurrentMajorVersionNumber", c.major);
    EXPECT_EQ(c.expected, DetectWindowsVersion(m.reg))
        << (c.version ? c.version : "none") << " " << c.major;
    EXPECT_EQ(0u, m.reg.OpenHandles());
  }
  // A major number of another type is no number.
  MemApp m;
  m.reg.PutSz(kWindowsNt, "CurrentVersion", "5.1");
  m.reg.PutSz(kWindowsNt, "CurrentMajorVersionNumber", "10");
  EXPECT_EQ(WindowsVersion::WindowsXp, DetectWindowsVersion(m.reg));
}

}  // namespace
}  // namespace vl
