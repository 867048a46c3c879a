#include "tuning/adapters.h"

#include <vector>

#include "state/os_detect.h"
#include "tuning/tuning_choices.h"

namespace vl {

const char kClassPrefix[] = "System\\CurrentControlSet\\Services\\Class\\";
const char kServicesPrefix[] = "SYSTEM\\CurrentControlSet\\Services\\";
const char kTcpipSuffix[] = "\\Parameters\\Tcpip";
const char kInterfacesPrefix[] =
    "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
const char kNdisWanParameters[] = "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters";
const char kNdisWanProtocolsPrefix[] =
    "SYSTEM\\CurrentControlSet\\Services\\NdisWan\\Parameters\\Protocols\\";
const char kDialUpLineName[] = "Dial-up, PPPoE and VPN connections";

namespace {

constexpr int kIndexCount = 100;
constexpr uint32_t kValueBuffer = 1000;

const char kNet9xPrefix[] = "Enum\\Root\\Net\\";
const char kNetworkPrefix[] = "Enum\\Network\\";
const char kBindingPrefix[] = "MSTCP\\";
const char kNetCardsPrefix[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";

const char kDialUpAdapter[] = "Dial-Up Adapter";
const char kAolAdapter[] = "AOL Adapter";
const char kWanWrapper[] = "Remote Access WAN Wrapper";

// The 9x family numbers its keys and binding names with four digits.
std::string FourDigits(int index) {
  return (index < 10 ? "000" : "00") + std::to_string(index);
}

AdapterKind Classify9x(const std::string& description) {
  return description == kDialUpAdapter || description == kAolAdapter ? AdapterKind::DialUp
                                                                     : AdapterKind::Lan;
}

AdapterKind ClassifyNt(const std::string& title) {
  return title.find(kWanWrapper) != std::string::npos || title == kAolAdapter
             ? AdapterKind::DialUp
             : AdapterKind::Lan;
}

// Runs one registry call of a walk and notes trouble; true on success.
struct Caller {
  WalkOutcome& outcome;
  bool Ok(long status) {
    if (status == kErrorSuccess) return true;
    if (!IsAbsentStatus(status)) outcome.troubled = true;
    return false;
  }
};

// Keys that are only read are opened for reading: Windows NT refuses to
// query a key opened for writing alone.
bool OpenForReading(IRegistry& reg, Caller& call, const std::string& path, ScopedKey& key) {
  return call.Ok(reg.OpenKey(kHkeyLocalMachine, path, kKeyRead, key.Receive()));
}

bool Read(IRegistry& reg, Caller& call, const ScopedKey& key, const std::string& name,
          std::string* text) {
  return call.Ok(QueryText(reg, key.get(), name, kValueBuffer, text));
}

// Opens the adapter's parameter key with `access` and hands it to the
// action; a key that does not open leaves the adapter out, and one that is
// not there means that TCP/IP is not bound to it.
void Hand(IRegistry& reg, Caller& call, uint32_t access, const AdapterAction& action,
          const AdapterBinding& binding) {
  ScopedKey parameters(reg);
  const long opened =
      reg.OpenKey(kHkeyLocalMachine, binding.parameterKey, access, parameters.Receive());
  if (!call.Ok(opened)) {
    if (IsAbsentStatus(opened)) call.outcome.unbound.push_back(binding.description);
    return;
  }
  ++call.outcome.adapters;
  action(binding, parameters.get());
}

uint32_t AccessFor(KeyUse use) { return use == KeyUse::Read ? kKeyRead : kKeyAllAccess; }

// Reads a REG_DWORD; false for any other type or size.
bool ReadDword(IRegistry& reg, Caller& call, RegKey key, const std::string& name, uint32_t* value) {
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
  if (!call.Ok(QueryRaw(reg, key, name, 4, &type, &data)) || type != kRegDword || data.size() != 4)
    return false;
  *value = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
  return true;
}

// Where NdisWan keeps its IP protocol: the number of the protocol key whose
// "ProtocolType" is IP's, or -1 with `free` the lowest number of none.
int FindIpProtocol(IRegistry& reg, Caller& call, int* free) {
  *free = -1;
  for (int n = 0; n < kIndexCount; ++n) {
    ScopedKey protocol(reg);
    const long opened = reg.OpenKey(kHkeyLocalMachine, kNdisWanProtocolsPrefix + std::to_string(n),
                                    kKeyRead, protocol.Receive());
    if (!call.Ok(opened)) {
      if (IsAbsentStatus(opened) && *free < 0) *free = n;
      continue;
    }
    uint32_t type = 0;
    if (ReadDword(reg, call, protocol.get(), "ProtocolType", &type) && type == kNdisWanIpProtocol)
      return n;
  }
  return -1;
}

// Windows 2000 and later carry dial-up, PPPoE and VPN lines over NdisWan,
// and set their IP MTU there, once for all of them: one Dial-Up adapter
// wherever NdisWan is installed.
void WalkDialUpLine(IRegistry& reg, Caller& call, const AdapterAction& action, KeyUse use) {
  ScopedKey parameters(reg);
  if (!OpenForReading(reg, call, kNdisWanParameters, parameters)) return;
  parameters.Close();
  AdapterBinding line;
  line.index = kIndexCount;
  line.description = kDialUpLineName;
  line.kind = AdapterKind::DialUp;
  line.tcpipKey = TcpipKey::DialUpLine;
  int free = -1;
  const int found = FindIpProtocol(reg, call, &free);
  if (found >= 0) {
    line.parameterKey = kNdisWanProtocolsPrefix + std::to_string(found);
    Hand(reg, call, AccessFor(use), action, line);
    return;
  }
  // No protocol numbers left: nothing to make.
  if (free < 0) return;
  line.parameterKey = kNdisWanProtocolsPrefix + std::to_string(free);
  line.keyToMake = true;
  if (use == KeyUse::Write) return;  // a restore has nothing to remove there
  ScopedKey made(reg);
  if (use == KeyUse::WriteMakingLine &&
      !call.Ok(reg.CreateKey(kHkeyLocalMachine, line.parameterKey, kRegOptionNonVolatile,
                             kKeyAllAccess, made.Receive())))
    return;
  ++call.outcome.adapters;
  action(line, made.get());
}

// One value of the key at `path`; the key is closed again at once.
bool ReadAt(IRegistry& reg, Caller& call, const std::string& path, const std::string& name,
            std::string* text) {
  ScopedKey key(reg);
  return OpenForReading(reg, call, path, key) && Read(reg, call, key, name, text);
}

}  // namespace

bool Selects(AdapterFilter filter, AdapterKind kind) {
  switch (filter) {
    case AdapterFilter::DialUp: return kind == AdapterKind::DialUp;
    case AdapterFilter::Lan: return kind == AdapterKind::Lan;
    case AdapterFilter::All: return true;
  }
  return false;
}

bool IsAbsentStatus(long status) {
  return status == kErrorFileNotFound || status == kErrorPathNotFound || status == kErrorMoreData;
}

WalkOutcome WalkAdapters9x(IRegistry& reg, AdapterFilter filter, const AdapterAction& action,
                           KeyUse use) {
  WalkOutcome outcome;
  Caller call{outcome};
  for (int i = 0; i < kIndexCount; ++i) {
    AdapterBinding binding;
    binding.index = i;
    const std::string adapterPath = kNet9xPrefix + FourDigits(i);
    if (!ReadAt(reg, call, adapterPath, "DeviceDesc", &binding.description)) continue;
    binding.kind = Classify9x(binding.description);
    if (!Selects(filter, binding.kind)) continue;

    ScopedKey bindings(reg);
    const long opened = reg.OpenKey(kHkeyLocalMachine, adapterPath + "\\Bindings", kKeyRead,
                                    bindings.Receive());
    for (int j = 0; call.Ok(opened) && j < kIndexCount && binding.bindingName.empty(); ++j) {
      const std::string name = kBindingPrefix + FourDigits(j);
      std::string unused;
      if (Read(reg, call, bindings, name, &unused)) binding.bindingName = name;
    }
    bindings.Close();
    if (binding.bindingName.empty()) {
      // An adapter that TCP/IP is not bound to.
      if (opened == kErrorSuccess || IsAbsentStatus(opened))
        outcome.unbound.push_back(binding.description);
      continue;
    }

    if (!ReadAt(reg, call, kNetworkPrefix + binding.bindingName, "Driver", &binding.driver))
      continue;
    // An empty driver would make the class key itself the adapter's key.
    if (binding.driver.empty()) continue;
    binding.parameterKey = kClassPrefix + binding.driver;
    // Windows 9x does not look at access masks; NT, and Wine, refuse to read
    // through a key opened for writing alone.
    Hand(reg, call, use == KeyUse::Read ? kKeyRead : kKeyRead | kKeyWrite, action, binding);
  }
  return outcome;
}

std::string InterfaceKeyPath(const std::string& serviceName) {
  // Windows names each interface key after one service; any other name could
  // only lead to another key or to the Interfaces key itself.
  if (serviceName.empty() || serviceName.find('\\') != std::string::npos) return std::string();
  return kInterfacesPrefix + serviceName;
}

WalkOutcome WalkAdaptersNt(IRegistry& reg, AdapterFilter filter, const AdapterAction& action,
                           KeyUse use, WindowsVersion version) {
  WalkOutcome outcome;
  Caller call{outcome};
  for (int i = 0; i < kIndexCount; ++i) {
    AdapterBinding binding;
    binding.index = i;
    ScopedKey card(reg);
    if (!OpenForReading(reg, call, kNetCardsPrefix + std::to_string(i), card)) continue;
    const long title = QueryText(reg, card.get(), "Title", kValueBuffer, &binding.description);
    if (title == kErrorSuccess) {
      binding.kind = ClassifyNt(binding.description);
      binding.tcpipKey = TcpipKey::Service;
    } else if (title == kErrorFileNotFound) {
      // Windows 2000 and later name a card by its description alone; their
      // dial-up lines are no cards.
      if (!Read(reg, call, card, "Description", &binding.description)) continue;
      binding.kind = AdapterKind::Lan;
      binding.tcpipKey = TcpipKey::Interface;
    } else {
      call.Ok(title);
      continue;
    }
    if (!Selects(filter, binding.kind)) continue;
    if (!Read(reg, call, card, "ServiceName", &binding.serviceName)) continue;
    card.Close();

    if (binding.tcpipKey == TcpipKey::Service) {
      binding.parameterKey = kServicesPrefix + binding.serviceName + kTcpipSuffix;
    } else {
      binding.parameterKey = InterfaceKeyPath(binding.serviceName);
      if (binding.parameterKey.empty()) continue;
    }
    Hand(reg, call, AccessFor(use), action, binding);
  }
  if (HasNdisWanLine(version) && Selects(filter, AdapterKind::DialUp))
    WalkDialUpLine(reg, call, action, use);
  return outcome;
}

AdapterCensus TakeAdapterCensus(IRegistry& reg, const std::string& osName,
                                WindowsVersion version) {
  const bool nt = IsNtFamily(osName);
  AdapterCensus census;
  WalkOutcome ignored;  // the census speaks of what it found, never of trouble
  Caller call{ignored};
  for (int i = 0; i < kIndexCount; ++i) {
    std::string text;
    if (!nt) {
      if (!ReadAt(reg, call, kNet9xPrefix + FourDigits(i), "DeviceDesc", &text)) continue;
      (text == kDialUpAdapter ? census.hasDialUp : census.hasLan) = true;
      continue;
    }
    ScopedKey card(reg);
    if (!OpenForReading(reg, call, kNetCardsPrefix + std::to_string(i), card)) continue;
    if (Read(reg, call, card, "Title", &text)) {
      (text.find(kWanWrapper) != std::string::npos ? census.hasDialUp : census.hasLan) = true;
      continue;
    }
    // A card of Windows 2000 and later counts where TCP/IP is bound to it.
    std::string service;
    ScopedKey tcpip(reg);
    if (Read(reg, call, card, "ServiceName", &service) && !InterfaceKeyPath(service).empty() &&
        OpenForReading(reg, call, InterfaceKeyPath(service), tcpip))
      census.hasLan = true;
  }
  if (nt && HasNdisWanLine(version)) {
    ScopedKey parameters(reg);
    if (OpenForReading(reg, call, kNdisWanParameters, parameters)) census.hasDialUp = true;
  }
  return census;
}

AdapterFilter FilterForMode(int configMode) {
  return configMode == ModeAutoDialUp || configMode == ModeManualDialUp ? AdapterFilter::DialUp
                                                                        : AdapterFilter::Lan;
}

}  // namespace vl
