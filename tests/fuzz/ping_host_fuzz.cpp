// One ping of the companion over whatever the system hands it: the states of
// the dial-up connections as RAS reports them, the addresses the IP helper
// lists (texts of any bytes), the name-server lists of the registry (values
// of any type and bytes, one registry call made to fail), the name lookup and
// the echo. Whatever comes:
// - without a connected line nothing is asked but the line: no addresses, no
//   registry, no lookup, no echo;
// - automatic mode pings only a host of the connection itself: the first
//   usable address the IP helper lists, else the first usable one the
//   registry lists, else none; an address is usable when it is four decimal
//   parts of 0 to 255 and a host out there can have it;
// - manual mode pings a dotted host as it is and looks up any other name;
// - the one echo goes to that address, and its outcome is told as it was.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_app.h"
#include "fuzz_input.h"
#include "net/host_choice.h"
#include "net/network.h"
#include "vldetect/ping_once.h"

namespace {

using vl::DialUpState;

const char* const kListKeys[] = {"HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP",
                                 "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters",
                                 "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters"};
const char* const kListNames[] = {"NameServer", "NameServer", "DhcpNameServer"};

class Network : public vl::INetwork {
 public:
  DialUpState DialUp() override { return state; }
  bool QueryAddresses(vl::ConnectionAddresses* out) override {
    ++queries;
    if (hasIpHelper) *out = addresses;
    return hasIpHelper;
  }
  bool Lookup(const std::string& name, vl::Ipv4* address) override {
    ++lookups;
    lookedUp = name;
    if (found) *address = lookupAddress;
    return found;
  }
  vl::EchoResult Echo(const vl::Ipv4& address, unsigned timeoutMs) override {
    ++echoes;
    echoed = address;
    FUZZ_REQUIRE(timeoutMs == vl::kEchoTimeoutMs);
    return echo;
  }

  DialUpState state = DialUpState::None;
  bool hasIpHelper = false;
  vl::ConnectionAddresses addresses;
  bool found = false;
  vl::Ipv4 lookupAddress;
  vl::EchoResult echo;

  int queries = 0, lookups = 0, echoes = 0;
  std::string lookedUp;
  vl::Ipv4 echoed;
};

// Four decimal parts of one to three digits, 0 to 255 each, and nothing else:
// read here without the program's parser.
bool Dotted(const std::string& text, vl::Ipv4* address) {
  int part = 0, digits = 0, value = 0;
  for (char c : text) {
    if (c == '.') {
      if (digits == 0 || part == 3) return false;
      address->octet[part++] = static_cast<uint8_t>(value);
      digits = value = 0;
    } else if (c >= '0' && c <= '9' && digits < 3) {
      value = value * 10 + (c - '0');
      ++digits;
      if (value > 255) return false;
    } else {
      return false;
    }
  }
  if (part != 3 || digits == 0) return false;
  address->octet[3] = static_cast<uint8_t>(value);
  return true;
}

bool Usable(const std::string& text) {
  vl::Ipv4 a;
  return Dotted(text, &a) && a.octet[0] != 0 && a.octet[0] != 127 && a.octet[0] < 224;
}

bool Same(const vl::Ipv4& a, const vl::Ipv4& b) {
  for (int i = 0; i < 4; ++i)
    if (a.octet[i] != b.octet[i]) return false;
  return true;
}

// An address text: mostly near a dotted one, else any bytes.
std::string AddressText(fuzz::Input& in) {
  const uint8_t pick = in.Byte();
  if (pick < 0xC0) {
    std::string text;
    for (int i = 0; i < 4; ++i) {
      if (i) text += '.';
      text += std::to_string(pick & 0x40 ? in.Word() % 300 : in.Byte());
    }
    return text;
  }
  return in.Text();
}

std::vector<std::string> AddressList(fuzz::Input& in) {
  std::vector<std::string> list(in.Byte() % 4);
  for (std::string& text : list) text = AddressText(in);
  return list;
}

// The first usable item of a name-server list as both families write them.
std::string FirstListed(const fuzz::Value* v) {
  if (!v || v->type != vl::kRegSz || v->data.size() > 1000) return std::string();
  const std::string list = v->data.substr(0, v->data.find('\0'));
  size_t pos = 0;
  while (pos < list.size()) {
    size_t end = list.find_first_of(" ,;\t", pos);
    if (end == std::string::npos) end = list.size();
    const std::string item = list.substr(pos, end - pos);
    if (Usable(item)) return item;
    pos = end + 1;
  }
  return std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  // Kept from one input to the next, and emptied at the end of each (what
  // the input made is then freed within it, as the leak check expects).
  static fuzz::FastRegistry reg;
  static const fuzz::FastRegistry empty;
  struct Emptied {
    ~Emptied() { reg.ResetTo(empty); }
  } emptied;

  // The line: the connections as RAS reports them, each its state and error.
  std::vector<DialUpState> connections(in.Byte() % 4);
  bool anyUp = false, anyMaking = false;
  for (DialUpState& c : connections) {
    const uint8_t pick = in.Byte();
    const unsigned rasState = pick & 0x80 ? 0x2000 + (pick & 3) : pick & 0x3F;
    const unsigned long error = pick & 0x40 ? in.Byte() : 0;
    c = vl::DialUpStateOf(rasState, error);
    if (error != 0 || rasState > 0x2000) FUZZ_REQUIRE(c == DialUpState::None);
    anyUp |= c == DialUpState::Connected;
    anyMaking |= c == DialUpState::Connecting;
  }
  Network net;
  net.state = vl::CombineDialUp(connections);
  FUZZ_REQUIRE(net.state == (anyUp      ? DialUpState::Connected
                             : anyMaking ? DialUpState::Connecting
                                         : DialUpState::None));
  if (in.Byte() & 1) net.state = DialUpState::Connected;  // one line up, whatever the rest

  const uint8_t setup = in.Byte();
  vl::PingTarget target;
  target.automatic = setup & 1;
  net.hasIpHelper = setup & 2;
  net.found = setup & 4;
  net.echo.kind = static_cast<vl::EchoResult::Kind>((setup >> 3) % 3);
  net.echo.roundTripMs = in.Word();
  for (uint8_t& o : net.lookupAddress.octet) o = in.Byte();
  target.host = setup & 0x20 ? AddressText(in) : in.Text();
  net.addresses.dialUpDns = AddressList(in);
  net.addresses.dialUpGateways = AddressList(in);
  net.addresses.systemDns = AddressList(in);
  for (int i = 0; i < 3; ++i) {
    const uint8_t type = in.Byte();
    if (type & 0x80) continue;  // no such value
    std::string list;
    if (type & 0x40) {
      list = in.Bytes(in.Word() % 1100);
    } else {
      for (int items = in.Byte() % 4; items > 0; --items) {
        list += AddressText(in);
        list += " ,;\t"[in.Byte() % 4];
      }
      list += '\0';
    }
    reg.Put(kListKeys[i], kListNames[i], type & 0x20 ? vl::kRegSz : type & 7, list);
  }
  const uint16_t failingCall = in.Word();
  bool refused = false, closeRefused = false;
  if (failingCall)
    reg.observe = [&](const fuzz::Call& c) -> long {
      if (reg.CallCount() != failingCall) return 0;
      refused = true;
      closeRefused = c.op == fuzz::Op::Close;
      return vl::kErrorAccessDenied;
    };

  const vl::PingOutcome outcome = vl::PingOnce(target, net, reg);
  reg.observe = nullptr;
  FUZZ_REQUIRE(reg.OpenHandles() == 0 || closeRefused);

  if (net.state != DialUpState::Connected) {
    FUZZ_REQUIRE(outcome.status == vl::PingOutcome::NotConnected);
    FUZZ_REQUIRE(net.queries + net.lookups + net.echoes == 0 && reg.CallCount() == 0);
    return 0;
  }

  vl::Ipv4 expected;
  bool known = false;
  if (target.automatic) {
    FUZZ_REQUIRE(net.lookups == 0);
    std::string chosen;
    if (net.hasIpHelper)
      for (const auto* list : {&net.addresses.dialUpDns, &net.addresses.dialUpGateways,
                               &net.addresses.systemDns})
        for (const std::string& a : *list)
          if (chosen.empty() && Usable(a)) chosen = a;
    // The registry is asked only when the IP helper knows nothing usable.
    FUZZ_REQUIRE(reg.CallCount() == 0 || chosen.empty());
    for (int i = 0; i < 3 && chosen.empty(); ++i)
      chosen = FirstListed(reg.Get(kListKeys[i], kListNames[i]));
    // A refused registry call may hide a list, never add one.
    if (!refused) FUZZ_REQUIRE(outcome.address == chosen);
    FUZZ_REQUIRE(outcome.address.empty() || Usable(outcome.address));
    known = Dotted(outcome.address, &expected);
  } else {
    FUZZ_REQUIRE(net.queries == 0 && reg.CallCount() == 0);
    if (Dotted(target.host, &expected)) {
      FUZZ_REQUIRE(net.lookups == 0);
      known = true;
    } else {
      FUZZ_REQUIRE(net.lookups == 1 && net.lookedUp == target.host);
      known = net.found;
      expected = net.lookupAddress;
    }
  }

  if (!known) {
    FUZZ_REQUIRE(outcome.status == vl::PingOutcome::HostNotFound && net.echoes == 0);
    return 0;
  }
  FUZZ_REQUIRE(net.echoes == 1 && Same(net.echoed, expected));
  switch (net.echo.kind) {
    case vl::EchoResult::Reply:
      FUZZ_REQUIRE(outcome.status == vl::PingOutcome::Reply &&
                   outcome.roundTripMs == net.echo.roundTripMs);
      break;
    case vl::EchoResult::NoReply: FUZZ_REQUIRE(outcome.status == vl::PingOutcome::NoReply); break;
    case vl::EchoResult::Unavailable:
      FUZZ_REQUIRE(outcome.status == vl::PingOutcome::Unavailable);
      break;
  }
  return 0;
}
