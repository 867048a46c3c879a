#include "net/mem/mem_path_network.h"

#include "platform/win32_types.h"

namespace vl {

namespace {
constexpr IcmpHandle kHandle = 0x1C3F;
constexpr unsigned kWireOverhead = 28;  // IP and ICMP headers around the data
}  // namespace

DialUpState MemPathNetwork::DialUp() {
  log.push_back("DialUp");
  return dialUp;
}

bool MemPathNetwork::QueryAddresses(ConnectionAddresses* out) {
  log.push_back("QueryAddresses");
  if (hasIpHelper) *out = addresses;
  return hasIpHelper;
}

bool MemPathNetwork::QueryLanAddresses(std::vector<std::string>* out) {
  log.push_back("QueryLanAddresses");
  if (hasIpHelper) *out = lanAddresses;
  return hasIpHelper;
}

bool MemPathNetwork::Lookup(const std::string& name, Ipv4* address) {
  log.push_back("Lookup " + name);
  auto it = names.find(name);
  if (it == names.end()) return false;
  *address = it->second;
  return true;
}

EchoResult MemPathNetwork::Echo(const Ipv4&, unsigned) {
  log.push_back("Echo");
  return {hostAnswers ? EchoResult::Reply : EchoResult::NoReply, roundTripMs};
}

IcmpHandle MemPathNetwork::IcmpCreateFile() {
  log.push_back("IcmpCreateFile");
  if (!icmpAvailable) return kInvalidIcmpHandle;
  ++openHandles;
  return kHandle;
}

bool MemPathNetwork::IcmpCloseHandle(IcmpHandle handle) {
  log.push_back("IcmpCloseHandle");
  if (handle != kHandle || openHandles == 0) return false;
  --openHandles;
  return true;
}

unsigned long MemPathNetwork::IcmpSendEcho(IcmpHandle handle, const Ipv4& destination,
                                           uint16_t requestSize,
                                           const IpOptionInformation& options,
                                           IcmpEchoReply* reply, unsigned timeoutMs,
                                           unsigned long* lastError) {
  const unsigned size = requestSize + kWireOverhead;
  const bool df = (options.flags & kIpFlagDf) != 0;
  log.push_back("Echo " + std::to_string(size) + (df ? " DF" : ""));
  echoSizes.push_back(size);
  *reply = IcmpEchoReply();
  if (handle != kHandle || openHandles == 0) {
    *lastError = kErrorInvalidHandle;
    return 0;
  }
  const bool split = !df || ignoresDf;
  auto answer = [&](unsigned long status, const Ipv4& from, unsigned nextHop) -> unsigned long {
    elapsedMs += roundTripMs;
    reply->status = status;
    reply->address = from;
    reply->roundTripMs = roundTripMs;
    reply->nextHopMtu = nextHop;
    return 1;
  };
  auto silence = [&]() -> unsigned long {
    elapsedMs += timeoutMs;
    if (timeoutAsReply) {
      reply->status = kIpReqTimedOut;
      return 1;
    }
    *lastError = kIpReqTimedOut;
    return 0;
  };
  // This machine's own stack refuses what its interface cannot send whole.
  const unsigned local = localMtu ? localMtu : 1500;
  if (size > local && !split) return answer(kIpPacketTooBig, Ipv4(), 0);
  if (lostEchoes.count(static_cast<int>(echoSizes.size()))) return silence();
  if (everyEchoStatus) return answer(everyEchoStatus, Ipv4(), 0);
  for (const Hop& hop : hops) {
    if (size <= hop.mtu || split) continue;
    switch (hop.refusal) {
      case Hop::SaysTooBig: return answer(kIpPacketTooBig, hop.address, 0);
      case Hop::NamesMtu:
        return answer(kIpPacketTooBig, hop.address, hop.named ? hop.named : hop.mtu);
      case Hop::Silent: return silence();
    }
  }
  if (!hostAnswers) return silence();
  return answer(kIpSuccess, destination, 0);
}

unsigned MemPathNetwork::InterfaceMtu(const Ipv4&) {
  log.push_back("InterfaceMtu");
  return hasIpHelper ? localMtu : 0;
}

void MemPathNetwork::LanUp(const std::string& address) {
  hasIpHelper = true;
  lanAddresses = {address};
}

}  // namespace vl
