// Only types are taken from the system's headers (through the header);
// every function is found at run time.
#include "net/win/win_path_network.h"

#include <cstring>
#include <memory>

#include "platform/win/system_library.h"

namespace vl {

namespace {

// A router's "fragmentation needed" ICMP header: type 3, code 4, and the next
// hop's MTU in its last two bytes (RFC 1191).
constexpr BYTE kIcmpUnreachable = 3;
constexpr BYTE kIcmpFragmentationNeeded = 4;
constexpr size_t kIcmpHeaderSize = 8;
// Room for the IP options an answer may carry.
constexpr size_t kMaxIpOptions = 40;

IPAddr ToIpAddr(const Ipv4& address) {
  IPAddr ip;
  std::memcpy(&ip, address.octet, 4);
  return ip;
}

// The next hop's MTU, where the reply's data is the refusing router's ICMP
// header; 0 elsewhere. Nothing documents that icmp.dll hands that header on
// (Wine's leaves the data empty), so only a header that reads as one counts,
// and only where it lies inside the reply buffer.
unsigned NextHopMtu(const ICMP_ECHO_REPLY& echo, const char* buffer, size_t size) {
  const auto* data = static_cast<const BYTE*>(echo.Data);
  const auto* begin = reinterpret_cast<const BYTE*>(buffer);
  if (!data || echo.DataSize < kIcmpHeaderSize || data < begin ||
      data + kIcmpHeaderSize > begin + size)
    return 0;
  if (data[0] != kIcmpUnreachable || data[1] != kIcmpFragmentationNeeded) return 0;
  return static_cast<unsigned>(data[6]) << 8 | data[7];
}

}  // namespace

WinPathNetwork::WinPathNetwork() : ipHelper_(LoadSystemLibrary("iphlpapi.dll")) {
  if (!FindProc(ipHelper_.get(), "GetBestInterface", &getBestInterface_) ||
      !FindProc(ipHelper_.get(), "GetIfEntry", &getIfEntry_))
    getBestInterface_ = nullptr;
}

IcmpHandle WinPathNetwork::IcmpCreateFile() {
  if (!icmp_.loaded()) return kInvalidIcmpHandle;
  return reinterpret_cast<IcmpHandle>(icmp_.createFile());
}

bool WinPathNetwork::IcmpCloseHandle(IcmpHandle handle) {
  return icmp_.loaded() && icmp_.closeHandle(reinterpret_cast<HANDLE>(handle)) != FALSE;
}

unsigned long WinPathNetwork::IcmpSendEcho(IcmpHandle handle, const Ipv4& destination,
                                           uint16_t requestSize,
                                           const IpOptionInformation& options,
                                           IcmpEchoReply* reply, unsigned timeoutMs,
                                           unsigned long* lastError) {
  *reply = IcmpEchoReply();
  if (!icmp_.loaded()) {
    *lastError = ERROR_INVALID_FUNCTION;
    return 0;
  }
  std::unique_ptr<char[]> request(new char[requestSize ? requestSize : 1]);
  for (size_t i = 0; i < requestSize; ++i) request[i] = static_cast<char>('a' + i % 23);
  IP_OPTION_INFORMATION ip = {};
  ip.Ttl = options.ttl;
  ip.Tos = options.tos;
  ip.Flags = options.flags;
  // The reply record, the echoed data, an ICMP error's header and the
  // answer's IP options.
  const size_t size = sizeof(ICMP_ECHO_REPLY) + requestSize + kIcmpHeaderSize + kMaxIpOptions;
  std::unique_ptr<char[]> buffer(new char[size]);
  std::memset(buffer.get(), 0, size);
  SetLastError(0);
  const DWORD replies = icmp_.sendEcho(
      reinterpret_cast<HANDLE>(handle), ToIpAddr(destination), request.get(), requestSize, &ip,
      buffer.get(), static_cast<DWORD>(size), timeoutMs);
  if (replies == 0) {
    *lastError = GetLastError();
    return 0;
  }
  const auto* echo = reinterpret_cast<const ICMP_ECHO_REPLY*>(buffer.get());
  std::memcpy(reply->address.octet, &echo->Address, 4);
  reply->status = echo->Status;
  reply->roundTripMs = echo->RoundTripTime;
  if (echo->Status == IP_PACKET_TOO_BIG) reply->nextHopMtu = NextHopMtu(*echo, buffer.get(), size);
  return replies;
}

unsigned WinPathNetwork::InterfaceMtu(const Ipv4& destination) {
  if (!getBestInterface_) return 0;
  DWORD index = 0;
  if (getBestInterface_(ToIpAddr(destination), &index) != NO_ERROR) return 0;
  MIB_IFROW row = {};
  row.dwIndex = index;
  if (getIfEntry_(&row) != NO_ERROR) return 0;
  return row.dwMtu;
}

}  // namespace vl
