#include <gtest/gtest.h>

#include <algorithm>

#include "tests/unit/machine_fixtures.h"
#include "tuning/adapters.h"

namespace vl {
namespace {

using machines::TuningNtMachine;
using machines::Tuning98Machine;

struct Visit {
  int index;
  AdapterKind kind;
  std::string bindingName, driver, serviceName, parameterKey;
};

// Runs a walk, recording what it hands over and proving the handed key is
// open for writing by writing through it.
template <typename Walk>
std::vector<Visit> Collect(MemRegistry& reg, Walk walk, AdapterFilter filter,
                           WalkOutcome* outcome = nullptr) {
  std::vector<Visit> visits;
  WalkOutcome result = walk(reg, filter, [&](const AdapterBinding& b, RegKey key) {
    visits.push_back({b.index, b.kind, b.bindingName, b.driver, b.serviceName, b.parameterKey});
    EXPECT_EQ(kErrorSuccess, SetSz(reg, key, "Probe", "x")) << b.parameterKey;
  });
  EXPECT_EQ(static_cast<int>(visits.size()), result.adapters);
  if (outcome) *outcome = result;
  return visits;
}

std::vector<int> Indices(const std::vector<Visit>& visits) {
  std::vector<int> out;
  for (const auto& v : visits) out.push_back(v.index);
  return out;
}

bool Opened(const MemRegistry& reg, const std::string& path) {
  return std::any_of(reg.Calls().begin(), reg.Calls().end(), [&](const RegCall& c) {
    return c.op == RegOp::Open && c.path == path;
  });
}

TEST_F(Tuning98Machine, WalkVisitsFourDigitIndicesInOrderAndFollowsTheBinding) {
  AddAdapter(12, "Dial-Up Adapter", /*binding=*/42);
  AddAdapter(0, "Velora Ethernet");
  WalkOutcome outcome;
  auto visits = Collect(reg, WalkAdapters9x, AdapterFilter::All, &outcome);

  ASSERT_EQ((std::vector<int>{0, 12}), Indices(visits));
  EXPECT_EQ(AdapterKind::Lan, visits[0].kind);
  EXPECT_EQ("MSTCP\\0000", visits[0].bindingName);
  EXPECT_EQ(AdapterKind::DialUp, visits[1].kind);
  EXPECT_EQ("MSTCP\\0042", visits[1].bindingName);
  EXPECT_EQ("NetTrans\\0012", visits[1].driver);
  EXPECT_EQ("System\\CurrentControlSet\\Services\\Class\\NetTrans\\0012", visits[1].parameterKey);
  EXPECT_EQ("x", reg.GetSz(BindingKey(12), "Probe"));
  EXPECT_FALSE(Opened(reg, "HKLM\\Enum\\Root\\Net\\00012"));
  EXPECT_FALSE(outcome.troubled);
}

TEST_F(TuningNtMachine, WalkUsesPlainIndicesAndTheServiceTcpipKey) {
  AddCard(12, "[12] Velora Ethernet", "VlLan");
  AddCard(3, "[3] Remote Access WAN Wrapper", "NdisWan");
  auto visits = Collect(reg, WalkAdaptersNt, AdapterFilter::All);

  ASSERT_EQ((std::vector<int>{3, 12}), Indices(visits));
  EXPECT_EQ("NdisWan", visits[0].serviceName);
  EXPECT_EQ(AdapterKind::DialUp, visits[0].kind);
  EXPECT_EQ("SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip",
            visits[1].parameterKey);
  EXPECT_EQ("x", reg.GetSz(machines::Tcpip("VlLan"), "Probe"));
}

// How a description is classified by the apply walks and by the census.
struct KindCase {
  const char* description;
  AdapterKind walk;
  AdapterKind census;
};

TEST_F(Tuning98Machine, DescriptionsClassifyByExactText) {
  const KindCase cases[] = {
      {"Dial-Up Adapter", AdapterKind::DialUp, AdapterKind::DialUp},
      {"dial-up adapter", AdapterKind::Lan, AdapterKind::Lan},
      {"Dial-Up Adapter #2", AdapterKind::Lan, AdapterKind::Lan},
      {"AOL Adapter", AdapterKind::DialUp, AdapterKind::Lan},
      {"Velora Ethernet", AdapterKind::Lan, AdapterKind::Lan},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    reg.RemoveKey(AdapterKey(0));
    AddAdapter(0, c.description);
    auto dialUp = Collect(reg, WalkAdapters9x, AdapterFilter::DialUp);
    auto lan = Collect(reg, WalkAdapters9x, AdapterFilter::Lan);
    EXPECT_EQ(c.walk == AdapterKind::DialUp, dialUp.size() == 1);
    EXPECT_EQ(c.walk == AdapterKind::Lan, lan.size() == 1);
    AdapterCensus census = TakeAdapterCensus(app);
    EXPECT_EQ(c.census == AdapterKind::DialUp, census.hasDialUp);
    EXPECT_EQ(c.census == AdapterKind::Lan, census.hasLan);
  }
}

TEST_F(TuningNtMachine, TitlesClassifyByCaseSensitiveSubstring) {
  const KindCase cases[] = {
      {"[2] Remote Access WAN Wrapper", AdapterKind::DialUp, AdapterKind::DialUp},
      {"Remote Access WAN Wrapper", AdapterKind::DialUp, AdapterKind::DialUp},
      {"[2] remote access wan wrapper", AdapterKind::Lan, AdapterKind::Lan},
      {"AOL Adapter", AdapterKind::DialUp, AdapterKind::Lan},
      {"[1] Velora Ethernet", AdapterKind::Lan, AdapterKind::Lan},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.description);
    AddCard(0, c.description, "Card");
    auto dialUp = Collect(reg, WalkAdaptersNt, AdapterFilter::DialUp);
    auto lan = Collect(reg, WalkAdaptersNt, AdapterFilter::Lan);
    EXPECT_EQ(c.walk == AdapterKind::DialUp, dialUp.size() == 1);
    EXPECT_EQ(c.walk == AdapterKind::Lan, lan.size() == 1);
    AdapterCensus census = TakeAdapterCensus(app);
    EXPECT_EQ(c.census == AdapterKind::DialUp, census.hasDialUp);
    EXPECT_EQ(c.census == AdapterKind::Lan, census.hasLan);
  }
}

TEST_F(Tuning98Machine, BrokenAdaptersAreSkippedSilentlyAndTheWalkGoesOn) {
  // 0: Bindings without any MSTCP name. 1: no Bindings key. 2: binding
  // without its Enum\Network key. 3: driver whose class key is missing.
  // 4: description too long for the 1000-byte buffer. 5: sound.
  for (int i = 0; i <= 5; ++i) AddAdapter(i, "Velora Ethernet");
  reg.RemoveKey(AdapterKey(0) + "\\Bindings");
  reg.PutSz(AdapterKey(0) + "\\Bindings", "NETBEUI\\0000", "");
  reg.RemoveKey(AdapterKey(1) + "\\Bindings");
  reg.RemoveKey("HKLM\\Enum\\Network\\MSTCP\\0002");
  reg.RemoveKey(BindingKey(3));
  reg.PutSz(AdapterKey(4), "DeviceDesc", std::string(1000, 'E'));

  WalkOutcome outcome;
  auto visits = Collect(reg, WalkAdapters9x, AdapterFilter::All, &outcome);
  EXPECT_EQ((std::vector<int>{5}), Indices(visits));
  EXPECT_FALSE(outcome.troubled);
}

TEST_F(TuningNtMachine, CardsWithoutServiceOrTcpipKeyAreSkipped) {
  AddCard(0, "[0] Velora Ethernet", "NoTcpip");
  reg.RemoveKey(machines::Tcpip("NoTcpip"));
  AddCard(1, "[1] Velora Ethernet", "Anything");
  reg.RemoveKey(machines::kNetCards + "1");
  reg.PutSz(machines::kNetCards + "1", "Title", "[1] Velora Ethernet");
  AddCard(2, "[2] Velora Ethernet", "VlLan");

  WalkOutcome outcome;
  EXPECT_EQ((std::vector<int>{2}),
            Indices(Collect(reg, WalkAdaptersNt, AdapterFilter::All, &outcome)));
  EXPECT_FALSE(outcome.troubled);
}

TEST_F(Tuning98Machine, AFailingRegistryCallIsTroubleButTheWalkGoesOn) {
  AddAdapter(0, "Dial-Up Adapter");
  AddAdapter(1, "Velora Ethernet");
  AddAdapter(2, "Velora Ethernet");
  const std::string denied[] = {AdapterKey(1), BindingKey(1)};
  for (const auto& path : denied) {
    SCOPED_TRACE(path);
    reg.fault = [&](const RegCall& c) {
      return c.op == RegOp::Open && c.path == path ? kErrorAccessDenied : 0;
    };
    WalkOutcome outcome;
    EXPECT_EQ((std::vector<int>{0, 2}),
              Indices(Collect(reg, WalkAdapters9x, AdapterFilter::All, &outcome)));
    EXPECT_TRUE(outcome.troubled);
  }
  reg.fault = [](const RegCall& c) {
    return c.op == RegOp::Query && c.name == "DeviceDesc" ? kErrorAccessDenied : 0;
  };
  AdapterCensus census = TakeAdapterCensus(app);
  EXPECT_FALSE(census.hasDialUp || census.hasLan);
}

TEST_F(Tuning98Machine, CensusStartsAfreshAndFollowsTheOsName) {
  AddAdapter(0, "Dial-Up Adapter");
  AddAdapter(1, "Velora Ethernet");
  AdapterCensus census = TakeAdapterCensus(app);
  EXPECT_TRUE(census.hasDialUp);
  EXPECT_TRUE(census.hasLan);
  EXPECT_TRUE(app.m_bHasDialUpAdapter && app.m_bHasLanAdapter);

  // The same registry read as an NT machine has no cards at all.
  for (const char* os : {"NT", "2000"}) {
    app.m_strOsName = os;
    census = TakeAdapterCensus(app);
    EXPECT_FALSE(census.hasDialUp || census.hasLan) << os;
    EXPECT_FALSE(app.m_bHasDialUpAdapter || app.m_bHasLanAdapter) << os;
  }
}

}  // namespace
}  // namespace vl
