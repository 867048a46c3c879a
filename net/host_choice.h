// The host that automatic mode pings: one of the dial-up connection itself,
// its DNS server or gateway, never a fixed host out on the Internet.
#pragma once
#include <string>
#include <vector>

#include "net/network.h"

namespace vl {

class IRegistry;

// Four decimal parts of 0 to 255 with dots between, nothing else.
bool ParseIpv4(const std::string& text, Ipv4* address);
// An address a host out there can have: not 0.x, not this machine's
// loopback, not multicast or broadcast.
bool IsRemoteHostAddress(const Ipv4& address);

// The name servers the TCP/IP registry values name, in this order: the
// Windows 9x MSTCP "NameServer", the NT Tcpip "NameServer" and
// "DhcpNameServer". Only addresses that IsRemoteHostAddress accepts.
std::vector<std::string> RegistryNameServers(IRegistry& reg);

// The first usable address of: the dial-up adapters' DNS servers, their
// gateways, the machine's DNS servers (all through the IP helper), and where
// those give none, the registry's name servers. Empty when nothing is known.
std::string ChooseAutomaticHost(INetwork& net, IRegistry& reg);

}  // namespace vl
