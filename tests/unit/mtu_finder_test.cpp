// The Find Largest MTU dialog's rules: the host it starts with, Start and
// Stop around the probe's thread, the result line, and Use This MTU on the
// form's manual controls.
#include "ping/mtu_finder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "net/mem/mem_path_network.h"
#include "res/resource.h"
#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/fake_form.h"

namespace vl {
namespace {

class FakeFinderControls : public IMtuFinderControls {
 public:
  std::string GetText(int id) const override {
    auto it = text.find(id);
    return it == text.end() ? std::string() : it->second;
  }
  void SetText(int id, const std::string& t) override { text[id] = t; }
  void Enable(int id, bool on) override { enabled[id] = on; }
  void Focus(int id) override { focus = id; }
  void ClearList(int) override { lines.clear(); }
  void AddLine(int, const std::string& line) override { lines.push_back(line); }
  void Close(unsigned mtu) override {
    closed = true;
    closedWith = mtu;
  }
  bool IsEnabled(int id) const {
    auto it = enabled.find(id);
    return it != enabled.end() && it->second;
  }

  std::map<int, std::string> text;
  std::map<int, bool> enabled;
  int focus = 0;
  std::vector<std::string> lines;
  bool closed = false;
  unsigned closedWith = 0;
};

class FakeRunner : public IProbeRunner {
 public:
  bool Start(const std::string& host) override {
    started.push_back(host);
    return canStart;
  }
  void Stop() override { ++stops; }
  std::vector<std::string> started;
  int stops = 0;
  bool canStart = true;
};

class MtuFinder : public AppTest {
 protected:
  ProbeResult Found(unsigned mtu) {
    ProbeResult r;
    r.kind = ProbeResult::Found;
    r.mtu = mtu;
    r.host = "isp.example";
    return r;
  }
  ProbeStep Step(unsigned size, ProbeStep::Kind kind) {
    ProbeStep s;
    s.size = size;
    s.kind = kind;
    return s;
  }
  // Start pressed with `host` in the field.
  void StartWith(const std::string& host) {
    c.text[IDC_FINDMTU_HOST] = host;
    rules.OnStart();
  }

  MemPathNetwork net;
  FakeFinderControls c;
  FakeRunner runner;
  MtuFinderRules rules{app, c, runner};
};

TEST_F(MtuFinder, StartsWithTheLastHostElseTheDnsServerOfTheConnectionUp) {
  net.addresses.systemDns = {"198.51.100.53"};
  // No connection: nothing asked of the network beyond that.
  rules.Init(net);
  EXPECT_EQ("", c.text[IDC_FINDMTU_HOST]);
  EXPECT_EQ((std::vector<std::string>{"DialUp", "QueryLanAddresses"}), net.log);

  net.dialUp = DialUpState::Connected;
  net.addresses.dialUpDns = {"0.0.0.0", "203.0.113.53"};
  rules.Init(net);
  EXPECT_EQ("203.0.113.53", c.text[IDC_FINDMTU_HOST]);

  net.dialUp = DialUpState::None;
  net.LanUp();
  net.addresses.dialUpDns.clear();
  rules.Init(net);
  EXPECT_EQ("198.51.100.53", c.text[IDC_FINDMTU_HOST]);

  ASSERT_TRUE(WriteMtuHost(app.m_settings, "isp.example"));
  rules.Init(net);
  EXPECT_EQ("isp.example", c.text[IDC_FINDMTU_HOST]);
  EXPECT_TRUE(c.IsEnabled(IDC_FINDMTU_START));
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_STOP));
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_USE));
}

TEST_F(MtuFinder, StartStoresTheHostAndLocksTheFieldsUntilTheEnd) {
  rules.Init(net);
  StartWith("  isp.example ");
  EXPECT_EQ((std::vector<std::string>{"isp.example"}), runner.started);
  EXPECT_EQ("isp.example", ReadMtuHost(app.m_settings));
  EXPECT_EQ(MtuProbingText("isp.example"), c.text[IDC_FINDMTU_RESULT]);
  EXPECT_TRUE(rules.Running());
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_START));
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_HOST));
  EXPECT_TRUE(c.IsEnabled(IDC_FINDMTU_STOP));
  rules.OnStart();  // a second Start while one runs does nothing
  EXPECT_EQ(1u, runner.started.size());

  rules.OnStep(Step(1500, ProbeStep::TooBig));
  rules.OnStep(Step(1400, ProbeStep::Passed));
  EXPECT_EQ((std::vector<std::string>{"1500 bytes: too big", "1400 bytes: passes"}), c.lines);
  rules.OnFinished(Found(1400));
  EXPECT_FALSE(rules.Running());
  EXPECT_TRUE(c.IsEnabled(IDC_FINDMTU_START));
  EXPECT_TRUE(c.IsEnabled(IDC_FINDMTU_HOST));
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_STOP));

  // A new Start empties the list.
  StartWith("isp.example");
  EXPECT_TRUE(c.lines.empty());
}

TEST_F(MtuFinder, AnEmptyHostOrNoThreadStartsNothing) {
  rules.Init(net);
  StartWith("   ");
  EXPECT_TRUE(runner.started.empty());
  EXPECT_EQ(kMtuNoHost, c.text[IDC_FINDMTU_RESULT]);
  EXPECT_EQ(IDC_FINDMTU_HOST, c.focus);
  EXPECT_EQ("", ReadMtuHost(app.m_settings));

  runner.canStart = false;
  StartWith("isp.example");
  EXPECT_EQ(kMtuCannotStart, c.text[IDC_FINDMTU_RESULT]);
  EXPECT_FALSE(rules.Running());
  EXPECT_TRUE(c.IsEnabled(IDC_FINDMTU_START));
}

TEST_F(MtuFinder, StopEndsItForTheUserAtOnceAndStartComesBackWithTheThreadsEnd) {
  rules.Init(net);
  StartWith("isp.example");
  rules.OnStep(Step(1500, ProbeStep::TooBig));
  rules.OnStop();
  EXPECT_EQ(1, runner.stops);
  EXPECT_EQ("Stopped.", c.text[IDC_FINDMTU_RESULT]);
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_STOP));
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_START));
  // What the thread still tells after the stop is not shown.
  rules.OnStep(Step(783, ProbeStep::Passed));
  EXPECT_EQ(1u, c.lines.size());
  ProbeResult stopped;
  rules.OnFinished(stopped);
  EXPECT_EQ("Stopped.", c.text[IDC_FINDMTU_RESULT]);
  EXPECT_TRUE(c.IsEnabled(IDC_FINDMTU_START));
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_USE));
  EXPECT_FALSE(c.closed);
}

TEST_F(MtuFinder, ClosingMidProbeStopsItAndEndsWithIt) {
  rules.Init(net);
  EXPECT_TRUE(rules.OnClose()) << "nothing runs: it closes at once";
  StartWith("isp.example");
  EXPECT_FALSE(rules.OnClose());
  EXPECT_EQ(1, runner.stops);
  EXPECT_FALSE(c.closed);
  rules.OnFinished(ProbeResult());
  EXPECT_TRUE(c.closed);
  EXPECT_EQ(0u, c.closedWith);
}

TEST_F(MtuFinder, UseThisMtuOnlyWithAResultInAManualMode) {
  struct Case {
    int mode;
    bool usable;
  } const cases[] = {{ModeManual, true},     {ModeManualDialUp, true}, {ModeManualLan, true},
                     {ModeAutoDialUp, false}, {ModeAutoLan, false},     {ModeNone, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.mode);
    app.m_nConfigMode = k.mode;
    c = FakeFinderControls();
    rules.Init(net);
    StartWith("isp.example");
    rules.OnFinished(Found(1400));
    EXPECT_EQ(k.usable, c.IsEnabled(IDC_FINDMTU_USE));
    const std::string line = c.text[IDC_FINDMTU_RESULT];
    EXPECT_EQ(!k.usable, line.find("choose Manual Mode") != std::string::npos) << line;
    rules.OnUseMtu();
    EXPECT_EQ(k.usable, c.closed);
    EXPECT_EQ(k.usable ? 1400u : 0u, c.closedWith);
  }
}

TEST_F(MtuFinder, AResultOtherThanAnMtuLeavesUseThisMtuOff) {
  app.m_nConfigMode = ModeManual;
  rules.Init(net);
  StartWith("isp.example");
  rules.OnFinished(Found(1400));
  StartWith("isp.example");
  ProbeResult hole = Found(1400);
  hole.kind = ProbeResult::BlackHole;
  rules.OnFinished(hole);
  EXPECT_FALSE(c.IsEnabled(IDC_FINDMTU_USE));
  rules.OnUseMtu();
  EXPECT_FALSE(c.closed);
}

TEST(MtuFinderForm, UseThisMtuStoresItAndItsMssThroughTheFormsOwnRules) {
  FormBench bench;
  bench.form.OnModeManual();
  ASSERT_TRUE(bench.window.IsChecked(IDC_MTU_576));
  bench.form.UseFoundMtu(1400);
  EXPECT_TRUE(bench.window.IsChecked(IDC_MTU_CUSTOM));
  EXPECT_FALSE(bench.window.IsChecked(IDC_MTU_576));
  EXPECT_EQ("1400", bench.window.GetText(IDC_MTU_EDIT));
  EXPECT_EQ("1400", bench.app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("1360", bench.app.m_tuning.m_strMaxMss);
  EXPECT_EQ("1400", bench.form.m_strLastMtu);

  // Again with Custom already chosen and another number in the edit.
  bench.window.Type(IDC_MTU_EDIT, "1500");
  bench.form.UseFoundMtu(1492);
  EXPECT_EQ("1492", bench.app.m_tuning.m_strMaxMtu);
  EXPECT_EQ("1452", bench.app.m_tuning.m_strMaxMss);
}

}  // namespace
}  // namespace vl
