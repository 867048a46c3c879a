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

using Walk = WalkOutcome (*)(IRegistry&, AdapterFilter, const AdapterAction&, KeyUse);
WalkOutcome Walk9x(IRegistry& reg, AdapterFilter f, const AdapterAction& a, KeyUse u) {
  return WalkAdapters9x(reg, f, a, u);
}
WalkOutcome WalkNt4(IRegistry& reg, AdapterFilter f, const AdapterAction& a, KeyUse u) {
  return WalkAdaptersNt(reg, f, a, u);
}

// Runs a walk, recording what it hands over and proving the handed key is
// open for writing and reading by writing through it and reading back.
std::vector<Visit> Collect(MemRegistry& reg, Walk walk, AdapterFilter filter,
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
  auto visits = Collect(reg, Walk9x, AdapterFilter::All, &outcome);

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
  auto visits = Collect(reg, WalkNt4, AdapterFilter::All);

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
    const Walk walk = c.nt ? WalkNt4 : Walk9x;
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
  auto visits = Collect(reg, Walk9x, AdapterFilter::All, &outcome);
  EXPECT_EQ((std::vector<int>{5}), Indices(visits));
  EXPECT_FALSE(outcome.troubled);
  EXPECT_EQ(nullptr, reg.Get(kClass, "Probe"));
}

// Read, the walk opens the keys it hands on for reading only: the user
// looking at the settings needs no right to change them.
TEST_F(Walk98, AReadingWalkOpensForReading) {
  AddAdapter(reg, 0, "Velora Ethernet");
  for (Walk walk : {Walk9x, WalkNt4}) {
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
            Indices(Collect(reg, WalkNt4, AdapterFilter::All, &outcome)));
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
              Indices(Collect(reg, Walk9x, AdapterFilter::All, &outcome)));
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

// The NT walk over each NT version's own layout: where every card and the
// dial-up line keep their TCP/IP settings.
TEST(NtLayouts, EachWindowsHasItsCardsAndItsDialUpLineWhereItReadsThem) {
  const std::string service = "SYSTEM\\CurrentControlSet\\Services\\";
  const std::string interfaces =
      "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
  const std::string line = service + "NdisWan\\Parameters\\Protocols\\0";
  const std::string ethernet2000 = "Intel(R) PRO/1000 MT Network Connection";
  const struct {
    NtLayout layout;
    AdapterFilter filter;
    std::vector<std::string> visits;  // "description -> key", "+" for a key to make
  } cases[] = {
      {NtLayout::Nt4, AdapterFilter::Lan,
       {"3Com EtherLink III ISA (3C509b) -> " + service + "El59x1\\Parameters\\Tcpip"}},
      {NtLayout::Nt4, AdapterFilter::DialUp,
       {"Remote Access WAN Wrapper -> " + service + "NdisWan5\\Parameters\\Tcpip"}},
      {NtLayout::Windows2000, AdapterFilter::Lan,
       {ethernet2000 + " -> " + interfaces + kCardGuid}},
      {NtLayout::Windows2000, AdapterFilter::DialUp,
       {"Dial-up, PPPoE and VPN connections -> " + line + " +"}},
      {NtLayout::WindowsXp, AdapterFilter::All,
       {ethernet2000 + " -> " + interfaces + kCardGuid,
        "Dial-up, PPPoE and VPN connections -> " + line + " +"}},
      {NtLayout::Windows10, AdapterFilter::All,
       {ethernet2000 + " -> " + interfaces + kCardGuid,
        "Dial-up, PPPoE and VPN connections -> " + line + " +"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(LayoutName(c.layout));
    MemApp m;
    NtMachine(m, c.layout);
    std::vector<std::string> visits;
    const WalkOutcome outcome = WalkAdaptersNt(
        m.reg, c.filter,
        [&](const AdapterBinding& b, RegKey key) {
          visits.push_back(b.description + " -> " + b.parameterKey + (b.keyToMake ? " +" : ""));
          EXPECT_EQ(kErrorSuccess, SetDword(m.reg, key, "Probe", 1)) << b.parameterKey;
        },
        KeyUse::WriteMakingLine, m.app.m_eWinVersion);
    EXPECT_EQ(c.visits, visits);
    EXPECT_FALSE(outcome.troubled);
    EXPECT_TRUE(outcome.unbound.empty());
    EXPECT_EQ(0u, m.reg.OpenHandles());
    // Windows 2000 and XP keep an NT 4-style key beside the Interfaces key
    // for old programs; no Windows reads an MTU there.
    if (c.layout == NtLayout::Windows2000 || c.layout == NtLayout::WindowsXp) {
      EXPECT_TRUE(m.reg.HasKey(Tcpip(kCardGuid)));
      EXPECT_EQ(-1, m.reg.GetDword(Tcpip(kCardGuid), "Probe"));
    }

    const AdapterCensus census = TakeAdapterCensus(m.reg, "NT", m.app.m_eWinVersion);
    EXPECT_TRUE(census.hasLan);
    EXPECT_TRUE(census.hasDialUp);
  }
}

// NdisWan's IP protocol is the protocol key whose "ProtocolType" is 0x800;
// without one the Apply's walk makes the lowest free number, a restore's
// passes the line over, and a reading walk shows it as still to make.
TEST(NtLayouts, TheDialUpLineIsNdisWansIpProtocol) {
  const std::string made = "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\";
  const struct {
    std::vector<uint32_t> types;  // ProtocolType of Protocols\0, \1, ...; 0: no key
    KeyUse use;
    std::string visit;            // empty: the line is not handed on
  } cases[] = {
      {{0x8137, 0x800}, KeyUse::WriteMakingLine, made + "1"},
      {{0x800}, KeyUse::Write, made + "0"},
      {{0x8137}, KeyUse::WriteMakingLine, made + "1 +"},
      {{0x8137, 0, 0x80D5}, KeyUse::WriteMakingLine, made + "1 +"},
      {{0x8137}, KeyUse::Write, ""},
      {{}, KeyUse::Read, made + "0 +"},
  };
  for (const auto& c : cases) {
    MemApp m;
    NtMachine(m, NtLayout::WindowsXp);
    for (size_t n = 0; n < c.types.size(); ++n)
      if (c.types[n]) m.reg.PutDword(kNdisWanProtocols + std::to_string(n), "ProtocolType", c.types[n]);
    std::vector<std::string> visits;
    WalkAdaptersNt(
        m.reg, AdapterFilter::DialUp,
        [&](const AdapterBinding& b, RegKey key) {
          visits.push_back(b.parameterKey + (b.keyToMake ? " +" : ""));
          EXPECT_EQ(c.use == KeyUse::Read, key == 0);
        },
        c.use, m.app.m_eWinVersion);
    EXPECT_EQ(c.visit.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.visit},
              visits)
        << c.visit;
    // Only the Apply's walk makes the key, and only where it hands one to make.
    const bool makes = c.use == KeyUse::WriteMakingLine && !c.visit.empty() &&
                       c.visit.back() == '+';
    const std::string number = makes ? c.visit.substr(made.size(), 1) : "";
    for (size_t n = 0; n < 3; ++n) {
      const bool seeded = n < c.types.size() && c.types[n];
      EXPECT_EQ(seeded || std::to_string(n) == number,
                m.reg.HasKey(kNdisWanProtocols + std::to_string(n)))
          << n;
    }
  }
  // NT 4 has NdisWan too, for its WAN wrapper cards: no line of its own.
  MemApp nt4;
  NtMachine(nt4, NtLayout::Nt4);
  nt4.reg.AddKey(kNdisWanKey);
  std::vector<std::string> visits;
  WalkAdaptersNt(
      nt4.reg, AdapterFilter::DialUp,
      [&](const AdapterBinding& b, RegKey) { visits.push_back(b.description); },
      KeyUse::WriteMakingLine, nt4.app.m_eWinVersion);
  EXPECT_EQ(std::vector<std::string>{"Remote Access WAN Wrapper"}, visits);
  EXPECT_FALSE(nt4.reg.HasKey(kNdisWanProtocols + "0"));
}

// A prefix as Wine makes it, and any card TCP/IP is not bound to: the walk
// names the cards it passed over, and the census counts none.
TEST(NtLayouts, CardsWithoutTcpipAreNamedAndPassedOver) {
  MemApp m;
  NtMachine(m, NtLayout::Windows10);
  m.reg.RemoveKey(kNetCards + "1");
  m.reg.RemoveKey(kNdisWanKey);
  AddGuidCard(m.reg, 1, "Wine Ethernet", "{00000000-0000-0000-0000-000000000001}", false);
  AddGuidCard(m.reg, 2, "Wine loopback", "{00000000-0000-0000-0000-000000000002}", false);
  // A service name that could only lead elsewhere is no Interfaces key.
  AddGuidCard(m.reg, 3, "Odd card", "..\\..\\Odd", false);
  int handed = 0;
  const WalkOutcome outcome = WalkAdaptersNt(
      m.reg, AdapterFilter::Lan, [&](const AdapterBinding&, RegKey) { ++handed; },
      KeyUse::Write, m.app.m_eWinVersion);
  EXPECT_EQ(0, handed);
  EXPECT_EQ((std::vector<std::string>{"Wine Ethernet", "Wine loopback"}), outcome.unbound);
  EXPECT_FALSE(outcome.troubled);
  const AdapterCensus census = TakeAdapterCensus(m.reg, "NT", m.app.m_eWinVersion);
  EXPECT_FALSE(census.hasLan || census.hasDialUp);
}

}  // namespace
}  // namespace vl
