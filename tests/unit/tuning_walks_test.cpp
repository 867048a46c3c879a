#include <gtest/gtest.h>

#include <algorithm>

#include "tests/unit/kit/app_test.h"
#include "tests/unit/kit/machines.h"
#include "tuning/adapters.h"

namespace vl {
namespace {

using namespace machines;

struct Visit {
  int index;
  AdapterKind kind;
  std::string bindingName, driver, serviceName, parameterKey;
};

// Runs a walk, recording what it hands over and proving the handed key is
// open for writing and reading by writing through it and reading back.
std::vector<Visit> Collect(MemRegistry& reg, AdapterWalk walk, AdapterFilter filter,
                           WalkOutcome* outcome = nullptr) {
  std::vector<Visit> visits;
  WalkOutcome result = walk(reg, filter, [&](const AdapterBinding& b, RegKey key) {
    visits.push_back({b.index, b.kind, b.bindingName, b.driver, b.serviceName, b.parameterKey});
    EXPECT_EQ(kErrorSuccess, SetSz(reg, key, "Probe", "x")) << b.parameterKey;
    std::string probe;
    EXPECT_EQ(kErrorSuccess, QueryText(reg, key, "Probe", 10, &probe)) << b.parameterKey;
  }, KeyUse::Write);
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

class Walk98 : public AppTest {
 protected:
  Walk98() { Windows98(*this); }
};

class WalkNt : public AppTest {
 protected:
  WalkNt() { WindowsNt(*this); }
};

TEST_F(Walk98, VisitsFourDigitIndicesInOrderAndFollowsTheBinding) {
  AddAdapter(reg, 12, "Dial-Up Adapter", /*binding=*/42);
  AddAdapter(reg, 0, "Velora Ethernet");
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

TEST_F(WalkNt, UsesPlainIndicesAndTheServiceTcpipKey) {
  AddCard(reg, 12, "[12] Velora Ethernet", "VlLan");
  AddCard(reg, 3, "[3] Remote Access WAN Wrapper", "NdisWan");
  auto visits = Collect(reg, WalkAdaptersNt, AdapterFilter::All);

  ASSERT_EQ((std::vector<int>{3, 12}), Indices(visits));
  EXPECT_EQ("NdisWan", visits[0].serviceName);
  EXPECT_EQ(AdapterKind::DialUp, visits[0].kind);
  EXPECT_EQ("SYSTEM\\CurrentControlSet\\Services\\VlLan\\Parameters\\Tcpip",
            visits[1].parameterKey);
  EXPECT_EQ("x", reg.GetSz(Tcpip("VlLan"), "Probe"));
}

// How a description (9x) or title (NT) is classified by the Apply walks and
// by the census: exact text on the 9x family, a case-sensitive substring on
// the NT family, and "AOL Adapter" Dial-Up for the walks only.
TEST(AdapterKinds, ByFamilyForTheWalksAndTheCensus) {
  const AdapterKind D = AdapterKind::DialUp, L = AdapterKind::Lan;
  const struct {
    bool nt;
    const char* description;
    AdapterKind walk, census;
  } cases[] = {
      {false, "Dial-Up Adapter", D, D},
      {false, "dial-up adapter", L, L},
      {false, "Dial-Up Adapter #2", L, L},
      {false, "AOL Adapter", D, L},
      {false, "Velora Ethernet", L, L},
      {true, "[2] Remote Access WAN Wrapper", D, D},
      {true, "Remote Access WAN Wrapper", D, D},
      {true, "[2] remote access wan wrapper", L, L},
      {true, "AOL Adapter", D, L},
      {true, "[1] Velora Ethernet", L, L},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.nt ? "NT: " : "98: ") + c.description);
    MemApp m;
    if (c.nt) {
      WindowsNt(m);
      AddCard(m.reg, 0, c.description, "Card");
    } else {
      Windows98(m);
      AddAdapter(m.reg, 0, c.description);
    }
    const AdapterWalk walk = c.nt ? WalkAdaptersNt : WalkAdapters9x;
    EXPECT_EQ(c.walk == D, Collect(m.reg, walk, AdapterFilter::DialUp).size() == 1);
    EXPECT_EQ(c.walk == L, Collect(m.reg, walk, AdapterFilter::Lan).size() == 1);
    AdapterCensus census = TakeAdapterCensus(m.reg, m.app.m_strOsName);
    EXPECT_EQ(c.census == D, census.hasDialUp);
    EXPECT_EQ(c.census == L, census.hasLan);
  }
}

TEST_F(Walk98, BrokenAdaptersAreSkippedSilentlyAndTheWalkGoesOn) {
  // 0: Bindings without any MSTCP name. 1: no Bindings key. 2: binding
  // without its Enum\Network key. 3: driver whose class key is missing.
  // 4: description too long for the 1000-byte buffer. 5: sound. 6: an empty
  // driver, which would lead to the class key itself.
  for (int i = 0; i <= 6; ++i) AddAdapter(reg, i, "Velora Ethernet");
  reg.PutSz("HKLM\\Enum\\Network\\MSTCP\\0006", "Driver", "");
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
  EXPECT_EQ(nullptr, reg.Get(kClass, "Probe"));
}

// Read, the walk opens the keys it hands on for reading only: the user
// looking at the settings needs no right to change them.
TEST_F(Walk98, AReadingWalkOpensForReading) {
  AddAdapter(reg, 0, "Velora Ethernet");
  for (AdapterWalk walk : {WalkAdapters9x, WalkAdaptersNt}) {
    AddCard(reg, 1, "[1] Velora Ethernet", "VlLan");
    reg.ClearCalls();
    int handed = 0;
    walk(reg, AdapterFilter::All, [&](const AdapterBinding&, RegKey) { ++handed; }, KeyUse::Read);
    EXPECT_EQ(1, handed);
    for (const RegCall& c : reg.Calls()) {
      if (c.op == RegOp::Open) { EXPECT_EQ(kKeyRead, c.access) << c.path; }
    }
  }
}

TEST_F(WalkNt, CardsWithoutServiceOrTcpipKeyAreSkipped) {
  AddCard(reg, 0, "[0] Velora Ethernet", "NoTcpip");
  reg.RemoveKey(Tcpip("NoTcpip"));
  AddCard(reg, 1, "[1] Velora Ethernet", "Anything");
  reg.RemoveKey(kNetCards + "1");
  reg.PutSz(kNetCards + "1", "Title", "[1] Velora Ethernet");
  AddCard(reg, 2, "[2] Velora Ethernet", "VlLan");

  WalkOutcome outcome;
  EXPECT_EQ((std::vector<int>{2}),
            Indices(Collect(reg, WalkAdaptersNt, AdapterFilter::All, &outcome)));
  EXPECT_FALSE(outcome.troubled);
}

TEST_F(Walk98, AFailingRegistryCallIsTroubleButTheWalkGoesOn) {
  AddAdapter(reg, 0, "Dial-Up Adapter");
  AddAdapter(reg, 1, "Velora Ethernet");
  AddAdapter(reg, 2, "Velora Ethernet");
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
  AdapterCensus census = TakeAdapterCensus(reg, app.m_strOsName);
  EXPECT_FALSE(census.hasDialUp || census.hasLan);
}

TEST_F(Walk98, CensusFollowsTheOsName) {
  AddAdapter(reg, 0, "Dial-Up Adapter");
  AddAdapter(reg, 1, "Velora Ethernet");
  AdapterCensus census = TakeAdapterCensus(reg, "98");
  EXPECT_TRUE(census.hasDialUp);
  EXPECT_TRUE(census.hasLan);

  // The same registry read as an NT machine has no cards at all.
  for (const char* os : {"NT", "2000"}) {
    census = TakeAdapterCensus(reg, os);
    EXPECT_FALSE(census.hasDialUp || census.hasLan) << os;
  }
}

}  // namespace
}  // namespace vl
