// The "/uninstall" run: Windows defaults of both families restored without a
// window or a box, then the process ends.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace e2e {
namespace {

const char* const kBindings[] = {kDialUpBinding, kLanBinding};
const char* const kMstcpDwords[] = {"DefaultRcvWindow", "SessionKeepAlive", "PMTUDiscovery",
                                    "PMTUBlackHoleDetect"};
const char* const kTcpipValues[] = {"TcpWindowSize", "DefaultTTL", "EnablePMTUDiscovery",
                                    "EnablePMTUBHDetect"};

class UninstallVerb : public ::testing::Test {
 protected:
  // The uninstall run needs no install folder; without one any other run
  // would stop at its Severe Error box.
  void SetUp() override { RemoveInstallFolder(); }
  void TearDown() override { ClearMachine(); }

  // Starts the verb and watches until the process ends; false when it does
  // not end in time. `sawWindow` tells whether any visible window appeared.
  static bool RunUninstall(bool* sawWindow) {
    Proc p = Start("/uninstall");
    *sawWindow = false;
    return WaitUntil([&] {
      if (!TopWindows(p.pid(), nullptr, nullptr, true).empty()) *sawWindow = true;
      return !p.Running();
    });
  }
};

TEST_F(UninstallVerb, RestoresAWindows98MachineSilently) {
  SeedWin98Machine();
  // What an Apply leaves behind, on both adapters.
  for (const char* binding : kBindings) {
    SetSz(binding, "MaxMTU", "576");
    SetSz(binding, "MaxMSS", "536");
  }
  for (const char* name : kMstcpDwords) SetDword(kMstcp, name, 1234);
  SetSz(kMstcp, "DefaultMSS", "536");
  SetSz(kMstcp, "DefaultTTL", "128");
  SetSz(kNdiCache, "", "16");
  // No NetworkCards keys are left, so the NT part has nothing to restore.
  for (const char* name : kTcpipValues) SetDword(kNtTcpipParameters, name, 77);

  bool sawWindow = true;
  ASSERT_TRUE(RunUninstall(&sawWindow)) << "the uninstall run did not end";
  EXPECT_FALSE(sawWindow);

  for (const char* binding : kBindings) {
    EXPECT_FALSE(Get(binding, "MaxMTU").exists) << binding;
    EXPECT_FALSE(Get(binding, "MaxMSS").exists) << binding;
  }
  for (const char* name : kMstcpDwords) EXPECT_FALSE(Get(kMstcp, name).exists) << name;
  EXPECT_FALSE(Get(kMstcp, "DefaultMSS").exists);
  EXPECT_FALSE(Get(kMstcp, "DefaultTTL").exists);
  EXPECT_EQ("0", GetSz(kNdiCache, ""));
  for (const char* name : kTcpipValues) EXPECT_EQ(77, GetDword(kNtTcpipParameters, name)) << name;
}

TEST_F(UninstallVerb, RestoresTheNetworkCardsOfAnNtMachine) {
  SeedNtMachine();
  const char* const cards[] = {kNtLanTcpip, kNtWanTcpip};
  for (const char* card : cards) SetDword(card, "MTU", 576);
  for (const char* name : kTcpipValues) SetDword(kNtTcpipParameters, name, 77);

  bool sawWindow = true;
  ASSERT_TRUE(RunUninstall(&sawWindow)) << "the uninstall run did not end";
  EXPECT_FALSE(sawWindow);

  for (const char* card : cards) EXPECT_FALSE(Get(card, "MTU").exists) << card;
  for (const char* name : kTcpipValues) EXPECT_FALSE(Get(kNtTcpipParameters, name).exists) << name;
}

}  // namespace
}  // namespace e2e
