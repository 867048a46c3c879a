#include "app/os_detect.h"

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

// The receive-window values mean nothing from Windows Vista on; the
// registry's version says which Windows this is, on the NT family only.
TEST(OsFamily, VistaAndLaterTuneTheReceiveWindowThemselves) {
  const struct {
    const char* os;
    const char* version;  // null: no value
    bool itself;
  } cases[] = {
      {"NT", "4.0", false}, {"2000", "5.0", false}, {"NT", "5.1", false},
      {"NT", "6.0", true},  {"NT", "6.3", true},    {"NT", "10.0", true},
      {"NT", nullptr, false}, {"NT", "", false},    {"98", "6.1", false},
  };
  for (const auto& c : cases) {
    MemApp m;
    if (c.version) m.reg.PutSz(kWindowsNt, "CurrentVersion", c.version);
    EXPECT_EQ(c.itself, TunesReceiveWindowItself(m.reg, c.os))
        << c.os << " " << (c.version ? c.version : "none");
    EXPECT_EQ(0u, m.reg.OpenHandles());
  }
}

}  // namespace
}  // namespace vl
