#include "net/host_choice.h"

#include "platform/registry.h"

namespace vl {

namespace {

const char kMstcpKey[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kTcpipKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
// The TCP/IP dialogs of either family write lists with blanks or commas.
const char kListSeparators[] = " ,;\t";

bool IsUsable(const std::string& text) {
  Ipv4 address;
  return ParseIpv4(text, &address) && IsRemoteHostAddress(address);
}

void AddListed(IRegistry& reg, const char* keyPath, const char* valueName,
               std::vector<std::string>* found) {
  ScopedKey key(reg);
  if (reg.OpenKey(kHkeyLocalMachine, keyPath, kKeyRead, key.Receive()) != kErrorSuccess) return;
  std::string list;
  uint32_t type = kRegNone;
  if (QueryText(reg, key.get(), valueName, 1000, &list, &type) != kErrorSuccess ||
      type != kRegSz)
    return;
  size_t pos = 0;
  while (pos < list.size()) {
    size_t end = list.find_first_of(kListSeparators, pos);
    if (end == std::string::npos) end = list.size();
    std::string item = list.substr(pos, end - pos);
    if (IsUsable(item)) found->push_back(item);
    pos = end + 1;
  }
}

}  // namespace

bool ParseIpv4(const std::string& text, Ipv4* address) {
  Ipv4 parsed;
  size_t pos = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (pos >= text.size() || text[pos] != '.') return false;
      ++pos;
    }
    unsigned value = 0;
    size_t digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
      value = value * 10 + static_cast<unsigned>(text[pos] - '0');
      ++pos;
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) return false;
    parsed.octet[part] = static_cast<uint8_t>(value);
  }
  if (pos != text.size()) return false;
  *address = parsed;
  return true;
}

bool IsRemoteHostAddress(const Ipv4& address) {
  const unsigned first = address.octet[0];
  return first != 0 && first != 127 && first < 224;
}

std::vector<std::string> RegistryNameServers(IRegistry& reg) {
  std::vector<std::string> found;
  AddListed(reg, kMstcpKey, "NameServer", &found);
  AddListed(reg, kTcpipKey, "NameServer", &found);
  AddListed(reg, kTcpipKey, "DhcpNameServer", &found);
  return found;
}

std::string ChooseAutomaticHost(INetwork& net, IRegistry& reg) {
  ConnectionAddresses a;
  if (net.QueryAddresses(&a)) {
    for (const auto* list : {&a.dialUpDns, &a.dialUpGateways, &a.systemDns})
      for (const std::string& address : *list)
        if (IsUsable(address)) return address;
  }
  std::vector<std::string> fromRegistry = RegistryNameServers(reg);
  return fromRegistry.empty() ? std::string() : fromRegistry.front();
}

}  // namespace vl
