// winsock2.h before windows.h: it replaces the older winsock.h that
// windows.h would bring. Only types are taken from these headers; every
// function is found at run time.
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <icmpapi.h>

#include "net/win/win_network.h"

#include <cstring>
#include <memory>
#include <vector>

#include "net/win/ras_records.h"
#include "platform/win/system_library.h"

namespace vl {

namespace {

constexpr int kMaxConnections = 16;
constexpr int kPppAdapterType = 23;       // MIB_IF_TYPE_PPP: a dial-up adapter
constexpr int kLoopbackAdapterType = 24;  // MIB_IF_TYPE_LOOPBACK

using RasEnumConnectionsProc = DWORD(WINAPI*)(RasConn400*, LPDWORD, LPDWORD);
using RasGetConnectStatusProc = DWORD(WINAPI*)(HANDLE, RasConnStatus400*);
using GetAdaptersInfoProc = DWORD(WINAPI*)(PIP_ADAPTER_INFO, PULONG);
using GetPerAdapterInfoProc = DWORD(WINAPI*)(ULONG, PIP_PER_ADAPTER_INFO, PULONG);
using GetNetworkParamsProc = DWORD(WINAPI*)(PFIXED_INFO, PULONG);
using WsaStartupProc = int(WINAPI*)(WORD, LPWSADATA);
using WsaCleanupProc = int(WINAPI*)();
using GetHostByNameProc = struct hostent*(WINAPI*)(const char*);

// Calls an IP helper query twice when the first buffer is too small.
template <typename T, typename Query>
std::unique_ptr<char[]> QueryBuffer(Query query) {
  ULONG size = sizeof(T);
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::unique_ptr<char[]> buffer(new char[size]);
    DWORD rc = query(reinterpret_cast<T*>(buffer.get()), &size);
    if (rc == ERROR_SUCCESS) return buffer;
    if (rc != ERROR_BUFFER_OVERFLOW) break;
  }
  return nullptr;
}

void AddAddresses(const IP_ADDR_STRING* item, std::vector<std::string>* out) {
  for (; item; item = item->Next) {
    const char* text = item->IpAddress.String;
    const void* end = memchr(text, 0, sizeof item->IpAddress.String);
    const std::string address(text, end ? static_cast<const char*>(end) - text
                                        : sizeof item->IpAddress.String);
    if (!address.empty()) out->push_back(address);
  }
}

}  // namespace

struct WinNetwork::Procs {
  RasEnumConnectionsProc rasEnumConnections = nullptr;
  RasGetConnectStatusProc rasGetConnectStatus = nullptr;
  GetAdaptersInfoProc getAdaptersInfo = nullptr;
  GetPerAdapterInfoProc getPerAdapterInfo = nullptr;
  GetNetworkParamsProc getNetworkParams = nullptr;
  WsaStartupProc wsaStartup = nullptr;
  WsaCleanupProc wsaCleanup = nullptr;
  GetHostByNameProc getHostByName = nullptr;
};

WinNetwork::WinNetwork() : procs_(new Procs) {
  ras_.reset(LoadSystemLibrary("rasapi32.dll"));
  if (!FindProc(ras_.get(), "RasEnumConnectionsA", &procs_->rasEnumConnections) ||
      !FindProc(ras_.get(), "RasGetConnectStatusA", &procs_->rasGetConnectStatus))
    procs_->rasEnumConnections = nullptr;
  ipHelper_.reset(LoadSystemLibrary("iphlpapi.dll"));
  FindProc(ipHelper_.get(), "GetAdaptersInfo", &procs_->getAdaptersInfo);
  FindProc(ipHelper_.get(), "GetPerAdapterInfo", &procs_->getPerAdapterInfo);
  FindProc(ipHelper_.get(), "GetNetworkParams", &procs_->getNetworkParams);
}

WinNetwork::~WinNetwork() { delete procs_; }

DialUpState WinNetwork::DialUp() {
  if (!procs_->rasEnumConnections) return DialUpState::None;
  RasConn400 connections[kMaxConnections] = {};
  connections[0].dwSize = sizeof(RasConn400);
  DWORD bytes = sizeof connections, count = 0;
  if (procs_->rasEnumConnections(connections, &bytes, &count) != ERROR_SUCCESS)
    return DialUpState::None;
  std::vector<DialUpState> states;
  for (DWORD i = 0; i < count && i < kMaxConnections; ++i) {
    RasConnStatus400 status = {};
    status.dwSize = sizeof status;
    if (procs_->rasGetConnectStatus(connections[i].hrasconn, &status) == ERROR_SUCCESS)
      states.push_back(DialUpStateOf(status.rasconnstate, status.dwError));
  }
  return CombineDialUp(states);
}

bool WinNetwork::QueryAddresses(ConnectionAddresses* addresses) {
  if (!procs_->getAdaptersInfo && !procs_->getNetworkParams) return false;
  if (procs_->getAdaptersInfo) {
    auto buffer = QueryBuffer<IP_ADAPTER_INFO>(procs_->getAdaptersInfo);
    for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.get()); a; a = a->Next) {
      if (a->Type != kPppAdapterType) continue;
      if (procs_->getPerAdapterInfo) {
        const ULONG index = a->Index;
        auto perAdapter =
            QueryBuffer<IP_PER_ADAPTER_INFO>([&](PIP_PER_ADAPTER_INFO info, PULONG size) {
              return procs_->getPerAdapterInfo(index, info, size);
            });
        if (perAdapter)
          AddAddresses(
              &reinterpret_cast<const IP_PER_ADAPTER_INFO*>(perAdapter.get())->DnsServerList,
              &addresses->dialUpDns);
      }
      AddAddresses(&a->GatewayList, &addresses->dialUpGateways);
    }
  }
  if (procs_->getNetworkParams) {
    if (auto buffer = QueryBuffer<FIXED_INFO>(procs_->getNetworkParams))
      AddAddresses(&reinterpret_cast<const FIXED_INFO*>(buffer.get())->DnsServerList,
                   &addresses->systemDns);
  }
  return true;
}

bool WinNetwork::QueryLanAddresses(std::vector<std::string>* addresses) {
  if (!procs_->getAdaptersInfo) return false;
  auto buffer = QueryBuffer<IP_ADAPTER_INFO>(procs_->getAdaptersInfo);
  for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.get()); a; a = a->Next)
    if (a->Type != kPppAdapterType && a->Type != kLoopbackAdapterType)
      AddAddresses(&a->IpAddressList, addresses);
  return true;
}

bool WinNetwork::Lookup(const std::string& name, Ipv4* address) {
  if (!winsockTried_) {
    winsockTried_ = true;
    // Winsock 2 where it is installed; Windows 95 as shipped has the first.
    winsock_.reset(LoadSystemLibrary("ws2_32.dll"));
    if (!winsock_) winsock_.reset(LoadSystemLibrary("wsock32.dll"));
    if (!FindProc(winsock_.get(), "WSAStartup", &procs_->wsaStartup) ||
        !FindProc(winsock_.get(), "WSACleanup", &procs_->wsaCleanup) ||
        !FindProc(winsock_.get(), "gethostbyname", &procs_->getHostByName))
      procs_->getHostByName = nullptr;
  }
  if (!procs_->getHostByName) return false;
  WSADATA data;
  if (procs_->wsaStartup(MAKEWORD(1, 1), &data) != 0) return false;
  bool found = false;
  const struct hostent* host = procs_->getHostByName(name.c_str());
  if (host && host->h_addrtype == AF_INET && host->h_length == 4 && host->h_addr_list &&
      host->h_addr_list[0]) {
    memcpy(address->octet, host->h_addr_list[0], 4);
    found = true;
  }
  procs_->wsaCleanup();
  return found;
}

EchoResult WinNetwork::Echo(const Ipv4& address, unsigned timeoutMs) {
  EchoResult result;
  if (!icmp_.loaded()) {
    result.kind = EchoResult::Unavailable;
    return result;
  }
  HANDLE icmp = icmp_.createFile();
  if (icmp == INVALID_HANDLE_VALUE) {
    result.kind = EchoResult::Unavailable;
    return result;
  }
  IPAddr target;
  memcpy(&target, address.octet, 4);
  char request[32] = "Velora 2001 keep-alive ping";
  // Room for the reply record, the echoed data and an ICMP error's header.
  alignas(8) char reply[sizeof(ICMP_ECHO_REPLY) + sizeof request + 8 + 64];
  const DWORD replies = icmp_.sendEcho(icmp, target, request, sizeof request, nullptr, reply,
                                       sizeof reply, timeoutMs);
  const auto* echo = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
  if (replies > 0 && echo->Status == IP_SUCCESS) {
    result.kind = EchoResult::Reply;
    result.roundTripMs = echo->RoundTripTime;
  }
  icmp_.closeHandle(icmp);
  return result;
}

}  // namespace vl
