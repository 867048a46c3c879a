#include "settings/install_folder.h"

#include <gtest/gtest.h>

#include "tests/unit/kit/mem_app.h"

namespace vl {
namespace {


TEST(InstallFolder, EndsInExactlyOneAddedBackslash) {
  struct Case {
    std::string stored;
    std::string expected;
  } const cases[] = {
      {"C:\\Program Files\\Velora", "C:\\Program Files\\Velora\\"},
      {"C:\\Program Files\\Velora\\", "C:\\Program Files\\Velora\\"},
      {"C:\\Velora\\\\", "C:\\Velora\\\\"},  // only a missing one is added
      {" C:\\Velora ", " C:\\Velora \\"},
  };
  for (const auto& c : cases) {
    MemApp m;
    m.reg.PutSz(kInstallKey, "Folder", c.stored);
    EXPECT_EQ(c.expected, GetInstallFolder(m.app.m_settings, m.boxes, m.app.m_strProductName))
        << c.stored;
    EXPECT_TRUE(m.boxes.shown.empty());
  }
}

TEST(InstallFolder, UnusableValueGivesTheSevereErrorAndEmptyText) {
  struct Case {
    const char* what;
    uint32_t type;  // 0: no value
    std::string bytes;
  } const cases[] = {
      {"absent", 0, ""},
      {"empty", kRegSz, std::string(1, '\0')},
      {"blanks", kRegSz, std::string("   \t \0", 6)},
      {"REG_DWORD", kRegDword, "\x43\x3A\x5C\x00"},
      {"2000 characters", kRegSz, std::string(2000, 'C') + '\0'},
  };
  for (const auto& c : cases) {
    MemApp m;
    if (c.type) m.reg.Put(kInstallKey, "Folder", c.type, {c.bytes.begin(), c.bytes.end()});
    EXPECT_EQ("", GetInstallFolder(m.app.m_settings, m.boxes, m.app.m_strProductName)) << c.what;
    ASSERT_EQ(1u, m.boxes.shown.size()) << c.what;
    const ShownBox& box = m.boxes.shown[0];
    // Its text is pinned where the user sees it, in the Wine start-up suite.
    EXPECT_EQ(0u, box.text.find("Missing registry information")) << box.text;
    EXPECT_EQ("Velora 2001 - Severe Error", box.caption);
    EXPECT_EQ(kMbOk | kMbIconHand | kMbSystemModal, box.style);
    EXPECT_EQ(0u, box.owner);
    // The value is only read, never repaired.
    EXPECT_TRUE(m.reg.Writes().empty()) << c.what;
  }
}

}  // namespace
}  // namespace vl
