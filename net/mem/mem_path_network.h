// A path to a host in memory, for the tests and the bench of the MTU probe:
// the line, the names, this machine's MTU, and the hops on the way, each with
// its MTU and its way of refusing a larger packet. Every call is logged and
// every echo adds its round trip (or, unanswered, its timeout) to a clock of
// its own.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "net/path_network.h"

namespace vl {

class MemPathNetwork : public IPathNetwork {
 public:
  // A router on the way. Larger packets with Don't Fragment set it refuses:
  // by saying so, by saying so with its next hop's MTU, or by dropping them.
  struct Hop {
    unsigned mtu = 1500;
    Ipv4 address;
    enum Refusal { SaysTooBig, NamesMtu, Silent } refusal = SaysTooBig;
    unsigned named = 0;  // the MTU NamesMtu names, when not its own
  };

  // ---- INetwork ----
  DialUpState DialUp() override;
  bool QueryAddresses(ConnectionAddresses* out) override;
  bool QueryLanAddresses(std::vector<std::string>* out) override;
  bool Lookup(const std::string& name, Ipv4* address) override;
  EchoResult Echo(const Ipv4& address, unsigned timeoutMs) override;
  // ---- IPathNetwork ----
  IcmpHandle IcmpCreateFile() override;
  bool IcmpCloseHandle(IcmpHandle handle) override;
  unsigned long IcmpSendEcho(IcmpHandle handle, const Ipv4& destination, uint16_t requestSize,
                             const IpOptionInformation& options, IcmpEchoReply* reply,
                             unsigned timeoutMs, unsigned long* lastError) override;
  unsigned InterfaceMtu(const Ipv4& destination) override;

  // A connected LAN card with an address, the IP helper there.
  void LanUp(const std::string& address = "192.168.1.20");

  // ---- The machine and the line ----
  DialUpState dialUp = DialUpState::None;
  bool hasIpHelper = true;
  ConnectionAddresses addresses;
  std::vector<std::string> lanAddresses;
  std::map<std::string, Ipv4> names;
  bool icmpAvailable = true;
  unsigned localMtu = 1500;  // 0: the IP helper cannot tell
  // ---- The path ----
  std::vector<Hop> hops;
  bool hostAnswers = true;
  // Somewhere Don't Fragment is lost: every size is split and passes.
  bool ignoresDf = false;
  // Every echo answered with this IP_STATUS instead (0: none).
  unsigned long everyEchoStatus = 0;
  // The numbers (from 1) of the echoes that get lost on the way.
  std::set<int> lostEchoes;
  // Silence as a reply with IP_REQ_TIMED_OUT rather than a 0 return.
  bool timeoutAsReply = false;
  unsigned roundTripMs = 40;

  // ---- What happened ----
  std::vector<std::string> log;      // "DialUp", "Lookup name", "Echo 1500 DF" ...
  std::vector<unsigned> echoSizes;   // the whole packets sent, in order
  int openHandles = 0;
  unsigned long long elapsedMs = 0;  // round trips and timeouts, added up
};

}  // namespace vl
