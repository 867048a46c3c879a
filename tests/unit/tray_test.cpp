#include "tray/tray.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl {
namespace {

// Hands out icons named after their resource and records what the shell is
// given, and which icons are destroyed, in order.
class FakeTrayShell : public ITrayShell {
 public:
  IconHandle LoadFrameIcon(int resourceId) override {
    return failLoads ? 0 : static_cast<IconHandle>(0x10000 + resourceId);
  }
  void DestroyIcon(IconHandle icon) override {
    log.push_back("destroy " + std::to_string(icon - 0x10000));
  }
  bool NotifyIcon(unsigned operation, const TrayRecord& record) override {
    const char* ops[] = {"add", "modify", "delete"};
    log.push_back(std::string(ops[operation]) + " " +
                  (record.hIcon ? std::to_string(record.hIcon - 0x10000) : std::string("-")));
    records.push_back(record);
    return true;
  }
  bool failLoads = false;
  std::vector<std::string> log;
  std::vector<TrayRecord> records;
};

class TrayAnimation : public ::testing::Test {
 protected:
  TrayAnimation() { TrayFrameIndex() = 0; }
  FakeTrayShell shell;
  TrayIcon tray{shell, 88};
  const WindowHandle view = 0x4242;
};

TEST_F(TrayAnimation, FiveTimersShowTheFramesInTurnAndStartOver) {
  for (unsigned id = 1; id <= 5; ++id) tray.OnTimer(view, id);
  EXPECT_EQ((std::vector<std::string>{"modify 135", "destroy 135", "modify 133", "destroy 133",
                                      "modify 134", "destroy 134", "modify 132", "destroy 132",
                                      "modify 135", "destroy 135"}),
            shell.log);
  EXPECT_EQ(1, TrayFrameIndex());
}

TEST_F(TrayAnimation, TheRecordNamesTheViewItsIconAndTheWorkingTip) {
  tray.OnTimer(view, 1);
  const TrayRecord& r = shell.records.at(0);
  EXPECT_EQ(88u, r.cbSize);
  EXPECT_EQ(view, r.hWnd);
  EXPECT_EQ(100u, r.uID);
  EXPECT_EQ(kNifMessage | kNifIcon | kNifTip, r.uFlags);
  EXPECT_EQ(1124u, r.uCallbackMessage);
  EXPECT_EQ(std::string("Velora 2001 - Working"), r.szTip);
}

TEST_F(TrayAnimation, TimerTwelveRemovesTheIconAndStillAdvances) {
  tray.OnTimer(view, 1);
  shell.log.clear();
  tray.OnTimer(view, 12);
  EXPECT_EQ((std::vector<std::string>{"delete 135", "modify 133", "destroy 133"}), shell.log);
  EXPECT_EQ(2, TrayFrameIndex());
}

TEST_F(TrayAnimation, TheFrameIndexBelongsToTheProcessNotToOneView) {
  tray.OnTimer(view, 1);
  TrayIcon other(shell, 88);
  shell.log.clear();
  other.OnTimer(view + 1, 1);
  EXPECT_EQ("modify 133", shell.log.at(0));
}

TEST_F(TrayAnimation, DestroyRemovesTheIconOrSendsTheEmptyRecordBeforeAnyTimer) {
  tray.OnDestroy();
  ASSERT_EQ(1u, shell.records.size());
  EXPECT_EQ("delete -", shell.log.at(0));
  EXPECT_EQ(0u, shell.records[0].cbSize);
  EXPECT_EQ(0u, shell.records[0].hWnd);

  tray.OnTimer(view, 1);
  tray.OnDestroy();
  EXPECT_EQ(view, shell.records.back().hWnd);
  EXPECT_EQ(100u, shell.records.back().uID);
  EXPECT_EQ("delete 135", shell.log.back());
}

TEST_F(TrayAnimation, AnIconThatCannotBeLoadedIsStillSentButNotDestroyed) {
  shell.failLoads = true;
  tray.OnTimer(view, 1);
  EXPECT_EQ((std::vector<std::string>{"modify -"}), shell.log);
}

TEST_F(TrayAnimation, ALongTipIsCutToTheField) {
  tray.SetTrayIcon(view, kNimModify, 0, std::string(100, 't'));
  EXPECT_EQ(std::string(63, 't'), shell.records.at(0).szTip);
}

}  // namespace
}  // namespace vl
