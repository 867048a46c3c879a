// The companion over a day of a dial-up line: the icon while a connection is
// up, a ping per interval while it is connected, and the settings re-read on
// the dialog's notice.
#include "vldetect/companion.h"

#include <gtest/gtest.h>

#include "tests/unit/vldetect_fakes.h"
#include "vldetect/status_text.h"

namespace vl {
namespace {

constexpr unsigned kMinuteMs = 60 * 1000;

class VldetectDay : public ::testing::Test {
 protected:
  VldetectDay() : companion(settings.store, net, window) {}

  // The window's check timer fires with the line in this state.
  void Line(DialUpState state) {
    net.dialUp = state;
    companion.OnTimer(kCheckTimer);
  }
  void PingReturns(PingOutcome::Status status, unsigned ms = 0, const std::string& address = "") {
    PingOutcome o;
    o.status = status;
    o.roundTripMs = ms;
    o.address = address;
    companion.OnPingDone(window.lastTicket, o);
  }

  MemSettings settings;
  FakeNetwork net;
  FakeCompanionHost window;
  Companion companion;
};

TEST_F(VldetectDay, WithoutAConnectionItOnlyLooksAtTheLine) {
  settings.Save("Manual", "isp.example", 4, 1, 1);
  companion.Start();
  EXPECT_EQ((std::map<unsigned, unsigned>{{kCheckTimer, 2000}}), window.timers);
  EXPECT_EQ(0, window.icon);
  EXPECT_EQ("isp.example, every 5 minutes: not connected", window.status);
  EXPECT_FALSE(companion.CanPingNow());

  companion.PingNow();
  companion.OnTimer(kPingTimer);
  Line(DialUpState::None);
  EXPECT_TRUE(window.pings.empty());
  EXPECT_EQ(0, window.sounds);
  for (const std::string& call : net.log) EXPECT_EQ("DialUp", call) << "only the line is asked";
}

TEST_F(VldetectDay, AConnectionBringsTheIconAndAPingPerInterval) {
  settings.Save("Manual", "isp.example", 2, 1, 1);
  companion.Start();
  Line(DialUpState::Connected);
  EXPECT_EQ(135, window.icon) << "the first frame";
  EXPECT_EQ("isp.example, every 3 minutes: no ping yet", window.tip);
  EXPECT_EQ(window.tip, window.status);
  EXPECT_EQ(3 * kMinuteMs, window.timers[kPingTimer]);

  companion.OnTimer(kPingTimer);
  ASSERT_EQ(1u, window.pings.size());
  EXPECT_FALSE(window.pings[0].automatic);
  EXPECT_EQ("isp.example", window.pings[0].host);
  EXPECT_EQ(1, window.sounds);
  // One ping at a time: the next interval or Ping Now while it runs adds none.
  EXPECT_FALSE(companion.CanPingNow());
  companion.OnTimer(kPingTimer);
  companion.PingNow();
  EXPECT_EQ(1u, window.pings.size());

  PingReturns(PingOutcome::Reply, 120);
  EXPECT_EQ("isp.example, every 3 minutes: reply in 120 ms", window.tip);
  PingOutcome::Status next[] = {PingOutcome::NoReply, PingOutcome::HostNotFound};
  const char* shown[] = {"no reply", "host not found"};
  for (int i = 0; i < 2; ++i) {
    companion.OnTimer(kPingTimer);
    PingReturns(next[i]);
    EXPECT_EQ(std::string("isp.example, every 3 minutes: ") + shown[i], window.tip);
  }
  EXPECT_EQ(3u, window.pings.size());
  EXPECT_EQ(3, window.sounds);
}

TEST_F(VldetectDay, PingNowPingsAtOnceAndRestartsTheInterval) {
  settings.Save("Manual", "10.0.0.1", 0, 0, 1);
  companion.Start();
  Line(DialUpState::Connected);
  window.timers.erase(kPingTimer);
  ASSERT_TRUE(companion.CanPingNow());
  companion.PingNow();
  EXPECT_EQ(1u, window.pings.size());
  EXPECT_EQ(0, window.sounds) << "sound is off";
  EXPECT_EQ(kMinuteMs, window.timers[kPingTimer]);
}

TEST_F(VldetectDay, AutomaticShowsTheHostItChose) {
  companion.Start();
  Line(DialUpState::Connected);
  EXPECT_EQ("Automatic, every 10 minutes: no ping yet", window.tip);
  EXPECT_EQ(10 * kMinuteMs, window.timers[kPingTimer]);
  companion.OnTimer(kPingTimer);
  ASSERT_EQ(1u, window.pings.size());
  EXPECT_TRUE(window.pings[0].automatic);
  PingReturns(PingOutcome::Reply, 0, "10.1.1.1");
  EXPECT_EQ("10.1.1.1, every 10 minutes: reply in <1 ms", window.tip);
  companion.OnTimer(kPingTimer);
  PingReturns(PingOutcome::HostNotFound);
  EXPECT_EQ("Automatic, every 10 minutes: host not found", window.tip);
}

TEST_F(VldetectDay, TheIconTurnsWhileConnectingWhenTheAnimationIsOn) {
  companion.Start();  // nothing stored: the animation counts as on
  Line(DialUpState::Connecting);
  EXPECT_EQ("Automatic, every 10 minutes: connecting", window.tip);
  EXPECT_EQ(250u, window.timers[kAnimationTimer]);
  EXPECT_FALSE(window.HasTimer(kPingTimer));
  window.frames.clear();
  for (int i = 0; i < 5; ++i) companion.OnTimer(kAnimationTimer);
  EXPECT_EQ((std::vector<int>{133, 134, 132, 135, 133}), window.frames);

  Line(DialUpState::Connected);
  EXPECT_FALSE(window.HasTimer(kAnimationTimer));
  EXPECT_EQ(135, window.icon) << "standing still once connected";
}

TEST_F(VldetectDay, WithTheAnimationOffTheIconStandsStill) {
  settings.Save("Automatic", "Automatic", 9, 0, 0);
  companion.Start();
  Line(DialUpState::Connecting);
  EXPECT_EQ(135, window.icon);
  EXPECT_FALSE(window.HasTimer(kAnimationTimer));
}

TEST_F(VldetectDay, TheEndOfTheConnectionTakesTheIconAndDropsALateOutcome) {
  settings.Save("Manual", "10.0.0.1", 0, 0, 1);
  companion.Start();
  Line(DialUpState::Connected);
  companion.OnTimer(kPingTimer);
  Line(DialUpState::None);
  EXPECT_EQ(0, window.icon);
  EXPECT_EQ(1, window.removals);
  EXPECT_FALSE(window.HasTimer(kPingTimer));
  EXPECT_EQ("10.0.0.1, every minute: not connected", window.status);
  PingReturns(PingOutcome::Reply, 50);
  EXPECT_EQ("10.0.0.1, every minute: not connected", window.status);
  EXPECT_EQ(0, window.icon);

  // The next connection starts afresh, and may ping again at once.
  Line(DialUpState::Connected);
  EXPECT_EQ("10.0.0.1, every minute: no ping yet", window.tip);
  EXPECT_TRUE(companion.CanPingNow());
}

TEST_F(VldetectDay, APingThatFindsTheLineGoneLooksAgain) {
  settings.Save("Manual", "10.0.0.1", 0, 0, 1);
  companion.Start();
  Line(DialUpState::Connected);
  companion.OnTimer(kPingTimer);
  net.dialUp = DialUpState::None;
  PingReturns(PingOutcome::NotConnected);
  EXPECT_EQ(0, window.icon);
  EXPECT_EQ("10.0.0.1, every minute: not connected", window.status);
}

TEST_F(VldetectDay, TheNoticeRereadsTheSettingsOnlyWithItsOwnParameters) {
  companion.Start();
  Line(DialUpState::Connected);
  settings.Save("Manual", "10.0.0.1", 4, 1, 0);
  struct Case {
    uintptr_t wParam;
    intptr_t lParam;
  } const others[] = {{0, 0}, {123, 0}, {0, 123}, {124, 123}, {123, 124}, {123, -123}};
  for (const auto& c : others) {
    EXPECT_FALSE(companion.OnSettingsNotice(c.wParam, c.lParam)) << c.wParam << " " << c.lParam;
    EXPECT_TRUE(companion.Settings().automatic) << c.wParam << " " << c.lParam;
  }
  EXPECT_EQ("Automatic, every 10 minutes: no ping yet", window.tip);

  EXPECT_TRUE(companion.OnSettingsNotice(123, 123));
  EXPECT_EQ("10.0.0.1, every 5 minutes: no ping yet", window.tip);
  EXPECT_EQ(5 * kMinuteMs, window.timers[kPingTimer]) << "the new interval counts from now";
  EXPECT_TRUE(companion.Settings().sound);
}

TEST_F(VldetectDay, AnOutcomeForTheOldHostIsDroppedAfterANewOne) {
  settings.Save("Manual", "10.0.0.1", 4, 0, 1);
  companion.Start();
  Line(DialUpState::Connected);
  companion.OnTimer(kPingTimer);
  settings.Save("Manual", "10.0.0.2", 4, 0, 1);
  ASSERT_TRUE(companion.OnSettingsNotice(123, 123));
  const unsigned oldTicket = window.lastTicket;
  PingOutcome old;
  old.status = PingOutcome::NoReply;
  companion.OnPingDone(oldTicket, old);
  EXPECT_EQ("10.0.0.2, every 5 minutes: no ping yet", window.tip);
  ASSERT_TRUE(companion.CanPingNow()) << "the old ping is over";
  companion.PingNow();
  EXPECT_EQ("10.0.0.2", window.pings.back().host);
  PingReturns(PingOutcome::Reply, 30);
  EXPECT_EQ("10.0.0.2, every 5 minutes: reply in 30 ms", window.tip);

  // The same host stored again keeps what is known of it.
  ASSERT_TRUE(companion.OnSettingsNotice(123, 123));
  EXPECT_EQ("10.0.0.2, every 5 minutes: reply in 30 ms", window.tip);
}

TEST_F(VldetectDay, StopTakesTheIconAndEveryTimer) {
  companion.Start();
  Line(DialUpState::Connecting);
  companion.Stop();
  EXPECT_EQ(0, window.icon);
  EXPECT_TRUE(window.timers.empty());
}

TEST_F(VldetectDay, ANewTaskBarGetsTheIconAgain) {
  companion.Start();
  Line(DialUpState::Connected);
  window.frames.clear();
  companion.OnTaskbarCreated();
  EXPECT_EQ(std::vector<int>{135}, window.frames);
}

TEST(VldetectStatusText, FitsTheTooltip) {
  EXPECT_EQ("10.0.0.1, every minute: reply in 120 ms",
            StatusText("10.0.0.1", 1, "reply in 120 ms"));
  EXPECT_EQ("isp.example, every 60 minutes: host not found",
            StatusText("isp.example", 60, "host not found"));
  const std::string longHost = "a-rather-long-host-name.of-a-provider.example";
  const std::string shown = StatusText(longHost, 10, "host not found");
  EXPECT_EQ(kStatusTextMax, shown.size());
  EXPECT_EQ("a-rather-long-host-name.of..., every 10 minutes: host not found", shown);
}

TEST(VldetectInstance, OnlyTheFirstStartGoesOn) {
  struct Probe : IInstanceProbe {
    MutexResult CreateInstanceMutex() override { return mutex; }
    bool CompanionWindowExists() override { return window; }
    MutexResult mutex;
    bool window;
  };
  struct Case {
    MutexResult mutex;
    bool window;
    bool first;
  } const cases[] = {
      {MutexResult::Created, false, true},
      {MutexResult::Created, true, false},  // an older companion without the mutex
      {MutexResult::AlreadyExists, false, false},
      {MutexResult::AccessDenied, false, false},  // another user's, on NT
      {MutexResult::Failed, false, true},
      {MutexResult::Failed, true, false},
  };
  for (const auto& c : cases) {
    Probe p;
    p.mutex = c.mutex;
    p.window = c.window;
    EXPECT_EQ(c.first, IsFirstInstance(p)) << static_cast<int>(c.mutex) << " " << c.window;
  }
}

TEST(VldetectMenu, PingConfigurationStartsTheProgramBesideTheCompanion) {
  EXPECT_EQ("C:\\Program Files\\Velora 2001\\velora.exe",
            ProgramBeside("C:\\Program Files\\Velora 2001\\vldetect.exe", "velora.exe"));
  EXPECT_EQ("velora.exe", ProgramBeside("vldetect.exe", "velora.exe"));
}

}  // namespace
}  // namespace vl
