// One ping of the companion: never a lookup or an echo without a dial-up
// connection, and in automatic mode a host of the connection itself.
#include <gtest/gtest.h>

#include "tests/unit/vldetect_fakes.h"
#include "net/host_choice.h"
#include "vldetect/ping_once.h"

namespace vl {
namespace {

const char kMstcp[] = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kTcpip[] = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";

TEST(VldetectAddress, OnlyFourDecimalPartsAreADottedAddress) {
  struct Case {
    const char* text;
    bool dotted;
  } const cases[] = {
      {"10.0.0.1", true},     {"255.255.255.255", true}, {"0.0.0.0", true},
      {"010.1.1.1", true},    {"10.0.0", false},         {"10.0.0.1.", false},
      {"10.0.0.256", false},  {"10..0.1", false},        {" 10.0.0.1", false},
      {"10.0.0.1x", false},   {"0010.0.0.1", false},     {"isp.example", false},
      {"", false},            {"1.2.3.4.5", false},
  };
  for (const auto& c : cases) {
    Ipv4 a;
    EXPECT_EQ(c.dotted, ParseIpv4(c.text, &a)) << c.text;
  }
  Ipv4 a;
  ASSERT_TRUE(ParseIpv4("192.168.7.254", &a));
  EXPECT_EQ(192, a.octet[0]);
  EXPECT_EQ(254, a.octet[3]);
}

TEST(VldetectAddress, LocalAndGroupAddressesAreNoHostsOutThere) {
  for (const char* text : {"0.0.0.0", "0.1.2.3", "127.0.0.1", "127.9.9.9", "224.0.0.1",
                           "255.255.255.255"}) {
    Ipv4 a;
    ASSERT_TRUE(ParseIpv4(text, &a));
    EXPECT_FALSE(IsRemoteHostAddress(a)) << text;
  }
  for (const char* text : {"1.0.0.0", "10.0.0.1", "126.255.255.255", "128.0.0.1", "223.1.1.1"}) {
    Ipv4 a;
    ASSERT_TRUE(ParseIpv4(text, &a));
    EXPECT_TRUE(IsRemoteHostAddress(a)) << text;
  }
}

TEST(VldetectAutomaticHost, TheConnectionsOwnHostsInTheirOrder) {
  struct Case {
    const char* what;
    bool ipHelper;
    ConnectionAddresses addresses;
    std::vector<std::pair<std::string, std::string>> registry;  // key, "name=value"
    std::string expected;
  } const cases[] = {
      {"dial-up DNS first", true, {{"10.1.1.1"}, {"10.2.2.2"}, {"10.3.3.3"}}, {}, "10.1.1.1"},
      {"unusable ones skipped", true, {{"0.0.0.0", "", "127.0.0.1", "10.1.1.2"}, {}, {}}, {},
       "10.1.1.2"},
      {"then the dial-up gateway", true, {{}, {"0.0.0.0", "10.2.2.2"}, {"10.3.3.3"}}, {},
       "10.2.2.2"},
      {"then the machine's DNS", true, {{}, {}, {"10.3.3.3"}}, {{kMstcp, "NameServer=10.9.9.9"}},
       "10.3.3.3"},
      {"9x registry without the IP helper", false, {{"10.1.1.1"}, {}, {}},
       {{kMstcp, "NameServer=10.9.9.9,10.9.9.8"}}, "10.9.9.9"},
      {"registry when the IP helper knows nothing", true, {},
       {{kTcpip, "NameServer=127.0.0.1 10.8.8.8"}}, "10.8.8.8"},
      {"NT server-assigned", false, {}, {{kTcpip, "DhcpNameServer= 10.7.7.7 10.7.7.6"}},
       "10.7.7.7"},
      {"9x before NT values", false, {},
       {{kTcpip, "NameServer=10.8.8.8"}, {kMstcp, "NameServer=10.9.9.9"}}, "10.9.9.9"},
      {"nothing known: no host at all", true, {}, {{kTcpip, "NameServer=0.0.0.0"}}, ""},
      {"nothing known without the IP helper", false, {}, {}, ""},
  };
  for (const auto& c : cases) {
    FakeNetwork net;
    net.hasIpHelper = c.ipHelper;
    net.addresses = c.addresses;
    MemRegistry reg;
    for (const auto& [key, value] : c.registry) {
      size_t eq = value.find('=');
      reg.PutSz(key, value.substr(0, eq), value.substr(eq + 1));
    }
    EXPECT_EQ(c.expected, ChooseAutomaticHost(net, reg)) << c.what;
  }
}

TEST(VldetectPing, NothingIsLookedUpOrSentWithoutADialUpConnection) {
  for (DialUpState state : {DialUpState::None, DialUpState::Connecting}) {
    for (const PingTarget& target :
         {PingTarget{false, "isp.example"}, PingTarget{false, "10.0.0.1"}, PingTarget{true, ""}}) {
      FakeNetwork net;
      net.dialUp = state;
      net.names["isp.example"] = Ipv4{{10, 0, 0, 2}};
      MemRegistry reg;
      EXPECT_EQ(PingOutcome::NotConnected, PingOnce(target, net, reg).status) << target.host;
      EXPECT_EQ(std::vector<std::string>{"DialUp"}, net.log) << target.host;
      EXPECT_TRUE(reg.Calls().empty()) << target.host;
    }
  }
}

TEST(VldetectPing, OneEchoWhileConnected) {
  struct Case {
    const char* what;
    bool automatic;
    const char* host;
    EchoResult echo;
    std::vector<std::string> log;
    PingOutcome::Status status;
    std::string address;
  } const cases[] = {
      {"dotted address as it is", false, "10.0.0.1", {EchoResult::Reply, 120},
       {"DialUp", "Echo 10.0.0.1 3000"}, PingOutcome::Reply, ""},
      {"a name is looked up", false, "isp.example", {EchoResult::Reply, 80},
       {"DialUp", "Lookup isp.example", "Echo 10.0.0.2 3000"}, PingOutcome::Reply, ""},
      {"unknown name", false, "nowhere.example", {},
       {"DialUp", "Lookup nowhere.example"}, PingOutcome::HostNotFound, ""},
      {"automatic", true, "", {EchoResult::NoReply, 0},
       {"DialUp", "QueryAddresses", "Echo 10.1.1.1 3000"}, PingOutcome::NoReply, "10.1.1.1"},
      {"no echo on this system", false, "10.0.0.1", {EchoResult::Unavailable, 0},
       {"DialUp", "Echo 10.0.0.1 3000"}, PingOutcome::Unavailable, ""},
  };
  for (const auto& c : cases) {
    FakeNetwork net;
    net.dialUp = DialUpState::Connected;
    net.names["isp.example"] = Ipv4{{10, 0, 0, 2}};
    net.addresses.dialUpDns = {"10.1.1.1"};
    net.echo = c.echo;
    MemRegistry reg;
    PingOutcome o = PingOnce(PingTarget{c.automatic, c.host}, net, reg);
    EXPECT_EQ(c.log, net.log) << c.what;
    EXPECT_EQ(c.status, o.status) << c.what;
    EXPECT_EQ(c.address, o.address) << c.what;
    if (c.status == PingOutcome::Reply) {
      EXPECT_EQ(c.echo.roundTripMs, o.roundTripMs) << c.what;
    }
  }
}

TEST(VldetectPing, AutomaticWithoutAHostOfTheConnectionSendsNothing) {
  FakeNetwork net;
  net.dialUp = DialUpState::Connected;
  MemRegistry reg;
  PingOutcome o = PingOnce(PingTarget{true, ""}, net, reg);
  EXPECT_EQ(PingOutcome::HostNotFound, o.status);
  EXPECT_EQ((std::vector<std::string>{"DialUp", "QueryAddresses"}), net.log);
}

TEST(VldetectRas, ConnectionStatesFromRas) {
  struct Case {
    unsigned rasState;
    unsigned long error;
    DialUpState expected;
  } const cases[] = {
      {0, 0, DialUpState::Connecting},       // RASCS_OpenPort
      {14, 0, DialUpState::Connecting},      // RASCS_Authenticated
      {0x1000, 0, DialUpState::Connecting},  // RASCS_Interactive: waits for the user
      {0x2000, 0, DialUpState::Connected},   {0x2001, 0, DialUpState::None},
      {5, 691, DialUpState::None},           // failed authentication
      {0x2000, 629, DialUpState::None},      {0x3000, 0, DialUpState::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, DialUpStateOf(c.rasState, c.error)) << c.rasState << " " << c.error;

  using S = DialUpState;
  EXPECT_EQ(S::None, CombineDialUp({}));
  EXPECT_EQ(S::Connecting, CombineDialUp({S::None, S::Connecting}));
  EXPECT_EQ(S::Connected, CombineDialUp({S::Connecting, S::Connected, S::None}));
}

}  // namespace
}  // namespace vl
