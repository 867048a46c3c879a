// The network as the companion sees it: the dial-up connections, the
// addresses of the connection, the name lookup and the echo. Each call is
// shaped like the system calls behind it; every one of them is optional on
// the system, and a missing one answers as "nothing there".
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vl {

enum class DialUpState { None, Connecting, Connected };

struct Ipv4 {
  uint8_t octet[4] = {0, 0, 0, 0};
};

// Addresses the IP helper gives for the machine's connections.
struct ConnectionAddresses {
  std::vector<std::string> dialUpDns;       // DNS servers of the dial-up adapters
  std::vector<std::string> dialUpGateways;  // their gateways
  std::vector<std::string> systemDns;       // the machine's DNS servers
};

struct EchoResult {
  enum Kind { Reply, NoReply, Unavailable } kind = NoReply;
  unsigned roundTripMs = 0;
};

class INetwork {
 public:
  virtual ~INetwork() = default;
  // RasEnumConnectionsA and RasGetConnectStatusA: None where dial-up
  // networking is not installed.
  virtual DialUpState DialUp() = 0;
  // GetAdaptersInfo, GetPerAdapterInfo and GetNetworkParams; false where the
  // IP helper is missing.
  virtual bool QueryAddresses(ConnectionAddresses* addresses) = 0;
  // gethostbyname: may go out to a name server, which on a machine without a
  // connection makes Windows dial. False when the name is not found.
  virtual bool Lookup(const std::string& name, Ipv4* address) = 0;
  // IcmpSendEcho: one echo request.
  virtual EchoResult Echo(const Ipv4& address, unsigned timeoutMs) = 0;
  // GetAdaptersInfo: the addresses of the adapters that are neither dial-up
  // nor loopback (LAN cards; one without an address lists 0.0.0.0). False
  // where the IP helper is missing.
  virtual bool QueryLanAddresses(std::vector<std::string>* addresses) {
    (void)addresses;
    return false;
  }
};

// The state of one connection from RasGetConnectStatusA: its RASCONNSTATE
// and its error code.
DialUpState DialUpStateOf(unsigned rasConnState, unsigned long error);
// The machine's state from those of its connections: one that is up is
// enough, else one being made.
DialUpState CombineDialUp(const std::vector<DialUpState>& connections);

}  // namespace vl
