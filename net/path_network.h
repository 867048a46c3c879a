// The path to a host as the MTU finder probes it. The companion's view of the
// network (the dial-up line, the connections' addresses, name lookups) plus
// what the probe needs beyond a keep-alive ping: the echo of icmp.dll with its
// IP options and its whole first reply, and the MTU of the interface the
// route leaves by. Each call is shaped like the system calls behind it and
// speaks in their status codes; a missing piece answers as "nothing there".
#pragma once
#include <cstdint>

#include "net/network.h"

namespace vl {

using IcmpHandle = std::uintptr_t;
constexpr IcmpHandle kInvalidIcmpHandle = ~IcmpHandle(0);  // INVALID_HANDLE_VALUE

// IP_STATUS codes of ipexport.h, in a reply's Status or from GetLastError.
constexpr unsigned long kIpSuccess = 0;
constexpr unsigned long kIpBufTooSmall = 11001;
constexpr unsigned long kIpDestNetUnreachable = 11002;
constexpr unsigned long kIpDestHostUnreachable = 11003;
constexpr unsigned long kIpDestProtUnreachable = 11004;
constexpr unsigned long kIpDestPortUnreachable = 11005;
constexpr unsigned long kIpPacketTooBig = 11009;
constexpr unsigned long kIpReqTimedOut = 11010;
constexpr unsigned long kIpBadRoute = 11012;
constexpr unsigned long kIpTtlExpiredTransit = 11013;
constexpr unsigned long kIpBadDestination = 11018;
constexpr unsigned long kIpGeneralFailure = 11050;

// IP_OPTION_INFORMATION's Flags: Don't Fragment.
constexpr uint8_t kIpFlagDf = 0x02;

// IP_OPTION_INFORMATION without IP options of its own.
struct IpOptionInformation {
  uint8_t ttl = 128;
  uint8_t tos = 0;
  uint8_t flags = 0;
};

// What the probe reads of the first ICMP_ECHO_REPLY of the reply buffer.
struct IcmpEchoReply {
  Ipv4 address;  // who answered: the host, or the router that refused
  unsigned long status = kIpReqTimedOut;
  unsigned long roundTripMs = 0;
  // The next hop's MTU of a router's "fragmentation needed" (RFC 1191),
  // where the reply hands the router's ICMP header on; 0 where it does not.
  unsigned nextHopMtu = 0;
};

class IPathNetwork : public INetwork {
 public:
  // IcmpCreateFile: kInvalidIcmpHandle where icmp.dll or its calls are
  // missing.
  virtual IcmpHandle IcmpCreateFile() = 0;
  virtual bool IcmpCloseHandle(IcmpHandle handle) = 0;
  // IcmpSendEcho with `requestSize` bytes of data: the number of replies,
  // the first one in *reply. When it returns 0, *lastError holds
  // GetLastError(): an IP_STATUS (kIpReqTimedOut for silence) or a system
  // error code.
  virtual unsigned long IcmpSendEcho(IcmpHandle handle, const Ipv4& destination,
                                     uint16_t requestSize, const IpOptionInformation& options,
                                     IcmpEchoReply* reply, unsigned timeoutMs,
                                     unsigned long* lastError) = 0;
  // GetBestInterface and GetIfEntry: the MTU of the interface that the route
  // to `destination` leaves by; 0 where the IP helper cannot tell.
  virtual unsigned InterfaceMtu(const Ipv4& destination) = 0;
};

}  // namespace vl
