#include "settings/mode_file.h"

#include <gtest/gtest.h>

#include "settings/install_folder.h"
#include "tests/unit/kit/mem_app.h"
#include "tuning/tuning_choices.h"

namespace vl {
namespace {

class ModeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m.reg.PutSz(kInstallKey, "Folder", "C:\\Velora");
    m.files.AddDirectory("C:\\Velora");
    m.files.AddDirectory("C:\\Elsewhere");
    m.files.SetCurrentDirectoryA("C:\\Elsewhere");
  }
  uint32_t Attributes() { return m.files.GetFileAttributesA(kFile); }
  // As the program does it: in the install folder the settings name.
  std::string Folder() { return GetInstallFolder(m.app.m_settings, m.boxes, "Velora 2001"); }
  bool Write() { return WriteModeFile(m.files, Folder(), m.app.m_strActiveConfig); }
  void Read() { ReadModeFile(m.files, Folder(), &m.app.m_strActiveConfig); }

  const std::string kFile = "C:\\Velora\\Velora.cfg";
  MemApp m;
};

TEST_F(ModeFileTest, WriteLeavesTheFileReadOnlyHiddenSystemAndCanRewriteIt) {
  m.app.m_strActiveConfig = kDescAutoDialUp;
  ASSERT_TRUE(Write());
  EXPECT_EQ("C:\\Velora", m.files.GetCurrentDirectoryA());
  EXPECT_EQ(m.app.m_strActiveConfig, m.files.Content(kFile));
  EXPECT_EQ(kRhs, Attributes() & kRhs);

  m.app.m_strActiveConfig = "";
  ASSERT_TRUE(Write());
  EXPECT_EQ("", m.files.Content(kFile));
  EXPECT_EQ(kRhs | kFileAttributeArchive, Attributes()) << "other attribute bits are kept";
}

TEST_F(ModeFileTest, FailedWriteIsReportedAndLeavesTheOldFile) {
  m.files.AddFile(kFile, "old", kRhs);
  m.files.fault = [](const std::string& op, const std::string&) { return op == "WriteTextFile"; };
  m.app.m_strActiveConfig = "new";
  EXPECT_FALSE(Write());
  EXPECT_EQ("old", m.files.Content(kFile));
}

TEST_F(ModeFileTest, ReadTakesTheFirstLineOnlyAndBounded) {
  struct Case {
    const char* what;
    std::string content;
    std::string expected;
  } const cases[] = {
      {"one line", kDescManual, kDescManual},
      {"empty", "", ""},
      {"two lines", "first\r\nsecond", "first"},
      {"binary", std::string("ab\0\x01\xFF", 5), "ab"},
      {"megabytes without a line end", std::string(5 << 20, 'x'), std::string(1000, 'x')},
  };
  for (const auto& c : cases) {
    m.files.AddFile(kFile, c.content, kRhs);
    m.app.m_strActiveConfig = "previous";
    Read();
    EXPECT_EQ(c.expected, m.app.m_strActiveConfig) << c.what;
  }
}

TEST_F(ModeFileTest, UnreadableFileLeavesTheDescription) {
  m.app.m_strActiveConfig = "kept";
  Read();  // no file yet
  EXPECT_EQ("kept", m.app.m_strActiveConfig);
  m.files.AddFile(kFile, "x");
  m.files.fault = [](const std::string& op, const std::string&) { return op == "ReadFirstLine"; };
  Read();
  EXPECT_EQ("kept", m.app.m_strActiveConfig);
}

TEST_F(ModeFileTest, NoticeShowsTheTrimmedDescription) {
  m.app.m_strActiveConfig = std::string("   ") + kDescManual + "  ";
  ShowStartupNotice(m.boxes, m.app.m_strProductName, &m.app.m_strActiveConfig);
  EXPECT_EQ(kDescManual, m.app.m_strActiveConfig);
  ASSERT_EQ(1u, m.boxes.shown.size());
  EXPECT_EQ(std::string("   Your current active configuration is:\n\n   ") + kDescManual + "\n\n",
            m.boxes.shown[0].text);
  EXPECT_EQ("Velora 2001", m.boxes.shown[0].caption);
  EXPECT_EQ(kMbOk | kMbIconInformation, m.boxes.shown[0].style);
  EXPECT_EQ(0u, m.boxes.shown[0].owner);

  for (const char* blank : {"", " \t\r\n "}) {
    MemApp fresh;
    fresh.app.m_strActiveConfig = blank;
    ShowStartupNotice(fresh.boxes, fresh.app.m_strProductName, &fresh.app.m_strActiveConfig);
    EXPECT_TRUE(fresh.boxes.shown.empty());
    EXPECT_EQ("", fresh.app.m_strActiveConfig);
  }
}

TEST_F(ModeFileTest, MissingInstallFolderWorksInTheCurrentDirectory) {
  m.reg.RemoveKey(kInstallKey);
  m.app.m_strActiveConfig = "x";
  EXPECT_TRUE(Write());
  EXPECT_EQ(1u, m.boxes.shown.size());
  EXPECT_EQ("x", m.files.Content("C:\\Elsewhere\\Velora.cfg"));
}

}  // namespace
}  // namespace vl
