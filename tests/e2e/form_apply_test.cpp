// What the form's choices become: the values an Apply writes into a seeded
// Windows 98 registry after each way of choosing a mode.
#include <gtest/gtest.h>

#include "tests/e2e/form_helpers.h"

namespace e2e {
namespace {

struct Written {
  std::string mtu, mss;
  long long rcvWindow;
  std::string ttl;
  long long keepAliveMs;
  bool operator==(const Written& o) const {
    return mtu == o.mtu && mss == o.mss && rcvWindow == o.rcvWindow && ttl == o.ttl &&
           keepAliveMs == o.keepAliveMs;
  }
};
std::ostream& operator<<(std::ostream& os, const Written& w) {
  return os << w.mtu << "/" << w.mss << "/" << w.rcvWindow << "/" << w.ttl << "/" << w.keepAliveMs;
}
Written Read(const char* binding) {
  return {GetSz(binding, "MaxMTU"), GetSz(binding, "MaxMSS"), GetDword(kMstcp, "DefaultRcvWindow"),
          GetSz(kMstcp, "DefaultTTL"), GetDword(kMstcp, "SessionKeepAlive")};
}

const Written kDialUpWritten{"576", "536", 3216, "128", 600000};
const Written kManualLanWritten{"1500", "1460", 8192, "32", 3600000};

class FormApplied : public testing::Test {
 protected:
  void Start(const char* removedAdapter = nullptr) {
    SeedWin98Machine();
    if (removedAdapter) DeleteTree(removedAdapter);
    app = StartFormApp();
    ASSERT_NE(nullptr, app.form);
  }
  void TearDown() override { CloseFormApp(app); }
  FormApp app;
};

TEST_F(FormApplied, EachWayOutOfManualModeWritesItsAdaptersAndValues) {
  const struct {
    const char* how;
    const char* removedAdapter;
    bool answerLan, escape;
    const char* written;
    const char* untouched;
    Written values;
  } cases[] = {
      {"Dial-Up answer", nullptr, false, false, kDialUpBinding, kLanBinding, kDialUpWritten},
      {"LAN answer", nullptr, true, false, kLanBinding, kDialUpBinding, kManualLanWritten},
      {"no LAN adapter", "Enum\\Root\\Net\\0001", false, false, kDialUpBinding, kLanBinding,
       kDialUpWritten},
      // Only LAN adapters: configured as LAN rather than finding no Dial-Up one.
      {"LAN adapters only", "Enum\\Root\\Net\\0000", false, false, kLanBinding, kDialUpBinding,
       kManualLanWritten},
      // Escape keeps the undecided manual mode: LAN adapters, Dial-Up choices.
      {"Escape", nullptr, false, true, kLanBinding, kDialUpBinding, kDialUpWritten},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    ASSERT_NO_FATAL_FAILURE(Start(c.removedAdapter));
    if (c.escape) {
      HWND dlg = OpenModeDialog(app, IDC_MODE_MANUAL, kManualModeCaption);
      ASSERT_TRUE(dlg && PressEscape(dlg));
    } else {
      ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption, c.answerLan));
    }
    EXPECT_EQ("", ApplyFromMenu(app));
    EXPECT_EQ(c.values, Read(c.written));
    EXPECT_EQ("<absent>", GetSz(c.untouched, "MaxMTU"));
    EXPECT_EQ("16", GetSz(kNdiCache, ""));
    EXPECT_EQ(1, GetDword(kMstcp, "PMTUDiscovery"));
    EXPECT_EQ(0, GetDword(kMstcp, "PMTUBlackHoleDetect"));
    CloseFormApp(app);
  }
}

TEST_F(FormApplied, ReenteredManualModeWritesWhatTheFormShows) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption));
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_LAN, kLanModeCaption));
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption));
  ASSERT_TRUE(IsChecked(app.form, IDC_MTU_576));
  EXPECT_EQ("", ApplyFromMenu(app));
  EXPECT_EQ(kDialUpWritten, Read(kDialUpBinding));
}

TEST_F(FormApplied, DialUpThenLanWritesLanValues) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_DIALUP, kDialUpModeCaption));
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_LAN, kLanModeCaption));
  EXPECT_EQ("", ApplyFromMenu(app));
  EXPECT_EQ((Written{"1500", "1460", 5840, "32", 3600000}), Read(kLanBinding));
  EXPECT_EQ("<absent>", GetSz(kDialUpBinding, "MaxMTU"));
}

TEST_F(FormApplied, TypedNumbersAreWrittenAndAClearedOrSmallMtuRefused) {
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(ChooseMode(app, IDC_MODE_MANUAL, kManualModeCaption));
  Click(app.form, IDC_MTU_CUSTOM);
  HWND mtu = app.Item(IDC_MTU_EDIT);
  EXPECT_EQ("Invalid MTU value.\nYou chose the 'Custom' option without providing any value.",
            ApplyFromMenu(app));
  TypeInto(mtu, "15");
  TypeInto(mtu, "a");
  HWND box = WaitForMessageBox(app.p.pid(), kBoxCaption);
  ASSERT_TRUE(box && Answer(box, IDOK));
  // 15 is what stays stored behind the refused letter.
  EXPECT_EQ("Invalid MTU value.\nMTU value must be higher than 40. ", ApplyFromMenu(app));

  ClearEdit(mtu);
  TypeInto(mtu, " 1400 ");
  Click(app.form, IDC_TTL_CUSTOM);
  TypeInto(app.Item(IDC_TTL_EDIT), "64");
  // The menu's command is posted behind the keys, so the Apply sees them.
  EXPECT_EQ("", ApplyFromMenu(app));
  EXPECT_EQ("1400", GetSz(kDialUpBinding, "MaxMTU"));
  EXPECT_EQ("1360", GetSz(kDialUpBinding, "MaxMSS"));
  EXPECT_EQ("64", GetSz(kMstcp, "DefaultTTL"));
  EXPECT_EQ(1360 * 6, GetDword(kMstcp, "DefaultRcvWindow"));
}

}  // namespace
}  // namespace e2e
