#include "backup/registry_backup.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/kit/mem_app.h"

namespace vl {
namespace {

class RegistryBackup : public ::testing::Test, public MemApp {
 protected:
  RegistryBackup() {
    app.m_strOsName = "Microsoft Windows 98";
    reg.PutSz(kInstallKey, "Folder", "C:\\Program Files\\Velora\\");
    files.AddDirectory("C:\\Program Files\\Velora");
    files.AddFile("C:\\WINDOWS\\system.dat", "system hive", kRhs);
    files.AddFile("C:\\WINDOWS\\user.dat", "user hive", kRhs);
  }
  const std::string copies = "C:\\Program Files\\Velora\\RegBak\\";
};

TEST_F(RegistryBackup, OnTheNinetyEightFamilyBothFilesAreCopiedAndSuccessIsToldOnce) {
  RunRegistryBackup(app, 0x77);
  EXPECT_EQ("system hive", files.Content(copies + "system.dat"));
  EXPECT_EQ("user hive", files.Content(copies + "user.dat"));
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ(kBackupDoneText, boxes.shown[0].text);
  EXPECT_EQ("Velora 2001", boxes.shown[0].caption);
  EXPECT_EQ(kMbOk | kMbIconInformation, boxes.shown[0].style);
  EXPECT_EQ(0x77u, boxes.shown[0].owner);
  // Relative paths of the process now resolve in the base folder.
  EXPECT_EQ("C:\\Program Files\\Velora", files.GetCurrentDirectoryA());
}

TEST_F(RegistryBackup, AnEarlierProtectedBackupIsReplaced) {
  files.AddFile(copies + "system.dat", "old system", kRhs);
  files.AddFile(copies + "user.dat", "old user", kRhs | kFileAttributeArchive);
  RunRegistryBackup(app, 0);
  EXPECT_EQ("system hive", files.Content(copies + "system.dat"));
  EXPECT_EQ("user hive", files.Content(copies + "user.dat"));
  EXPECT_EQ((std::vector<std::string>{kBackupDoneText}), BoxTexts());
}

TEST_F(RegistryBackup, TheNtFamilyGetsInstructionsAndTheFolderButNoCopies) {
  // The OS name is "NT" on every real NT 4, 2000, XP and later (their
  // Windows key has no product name); the version tells them apart.
  const struct {
    const char* os;
    WindowsVersion version;
    const char* text;
  } cases[] = {{"NT", WindowsVersion::Nt4, kBackupNtText},
               {"NT", WindowsVersion::Windows2000, kBackup2000Text},
               {"2000", WindowsVersion::Nt4, kBackup2000Text},
               {"NT", WindowsVersion::WindowsXp, kBackupXpText},
               {"NT", WindowsVersion::Vista, kBackupXpText},
               {"2000", WindowsVersion::Vista, kBackupXpText}};
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.os) + " " + std::to_string(static_cast<int>(k.version)));
    MemFiles fresh;
    fresh.AddDirectory("C:\\Program Files\\Velora");
    fresh.AddFile("C:\\WINDOWS\\system.dat", "system hive");
    app.sys.files = &fresh;
    boxes.shown.clear();
    app.m_strOsName = k.os;
    app.m_eWinVersion = k.version;
    RunRegistryBackup(app, 0);
    EXPECT_TRUE(fresh.IsDirectory("C:\\Program Files\\Velora\\RegBak"));
    EXPECT_FALSE(fresh.Exists(copies + "system.dat"));
    EXPECT_EQ((std::vector<std::string>{k.text}), BoxTexts());
    EXPECT_EQ(kMbOk | kMbIconInformation, boxes.shown.at(0).style);
  }
}

TEST_F(RegistryBackup, TheNtTextsKeepTheirOwnSpacing) {
  EXPECT_NE(std::string::npos, std::string(kBackupNtText).find("drive A: \n2. Go to 'Start'  -> "));
  EXPECT_NE(std::string::npos, std::string(kBackup2000Text).find("Accessories,\n    point to"));
}

TEST_F(RegistryBackup, BaseFolderIsTheInstallFolderWithOrWithoutItsBackslash) {
  for (const char* stored : {"C:\\Program Files\\Velora", "C:\\Program Files\\Velora\\"}) {
    reg.PutSz(kInstallKey, "Folder", stored);
    EXPECT_EQ("C:\\Program Files\\Velora", BackupBaseFolder(app)) << stored;
  }
}

TEST_F(RegistryBackup, WithoutAnInstallFolderNothingIsCreatedAnywhere) {
  reg.RemoveKey(kInstallKey);
  RunRegistryBackup(app, 0);
  EXPECT_FALSE(files.Exists("C:\\RegBak"));
  EXPECT_FALSE(files.Exists("RegBak"));
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_EQ("Velora 2001 - Severe Error", boxes.shown[0].caption);
}

TEST_F(RegistryBackup, AWindowsFolderWithATrailingBackslashGetsNoSecondOne) {
  files.windowsDirectory = "C:\\WINDOWS\\";
  RunRegistryBackup(app, 0);
  for (const std::string& entry : files.log) {
    if (entry.rfind("CopyFile", 0) == 0) {
      EXPECT_EQ(std::string::npos, entry.find("\\\\")) << entry;
    }
  }
  EXPECT_EQ((std::vector<std::string>{kBackupDoneText}), BoxTexts());
}

TEST_F(RegistryBackup, AFailedCopyIsReportedByNameInsteadOfSuccess) {
  const struct {
    const char* what;
    std::function<void(MemFiles&)> breakIt;
    const char* named;
  } cases[] = {
      {"missing source", [](MemFiles& f) { f.DeleteFileA("C:\\WINDOWS\\user.dat"); },
       "C:\\WINDOWS\\user.dat"},
      {"copy refused",
       [](MemFiles& f) {
         f.fault = [](const std::string& op, const std::string& path) {
           return op == "CopyFile" && path.find("system.dat") != std::string::npos;
         };
       },
       "C:\\WINDOWS\\system.dat"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    MemFiles fresh;
    fresh.AddDirectory("C:\\Program Files\\Velora");
    fresh.AddFile("C:\\WINDOWS\\system.dat", "system hive");
    fresh.AddFile("C:\\WINDOWS\\user.dat", "user hive");
    k.breakIt(fresh);
    app.sys.files = &fresh;
    boxes.shown.clear();
    RunRegistryBackup(app, 0);
    ASSERT_EQ(1u, boxes.shown.size());
    EXPECT_NE(kBackupDoneText, boxes.shown[0].text);
    EXPECT_NE(std::string::npos, boxes.shown[0].text.find(k.named)) << boxes.shown[0].text;
    EXPECT_EQ(kMbOk | kMbIconExclamation, boxes.shown[0].style);
  }
}

TEST_F(RegistryBackup, ABackupFolderThatCannotBeMadeIsReported) {
  files.fault = [](const std::string& op, const std::string&) { return op == "CreateDirectory"; };
  RunRegistryBackup(app, 0);
  ASSERT_EQ(1u, boxes.shown.size());
  EXPECT_NE(std::string::npos,
            boxes.shown[0].text.find("C:\\Program Files\\Velora\\RegBak could not be created"));
  EXPECT_FALSE(files.Exists(copies + "system.dat"));
}

}  // namespace
}  // namespace vl
