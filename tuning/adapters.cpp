#include "tuning/adapters.h"

#include "app/os_detect.h"
#include "tuning/tuning_choices.h"

namespace vl {

const char kClassPrefix[] = "System\\CurrentControlSet\\Services\\Class\\";
const char kServicesPrefix[] = "SYSTEM\\CurrentControlSet\\Services\\";
const char kTcpipSuffix[] = "\\Parameters\\Tcpip";

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
// action; a key that does not open leaves the adapter out.
void Hand(IRegistry& reg, Caller& call, uint32_t access, const AdapterAction& action,
          const AdapterBinding& binding) {
  ScopedKey parameters(reg);
  if (!call.Ok(reg.OpenKey(kHkeyLocalMachine, binding.parameterKey, access,
                           parameters.Receive())))
    return;
  ++call.outcome.adapters;
  action(binding, parameters.get());
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
    if (!OpenForReading(reg, call, adapterPath + "\\Bindings", bindings)) continue;
    for (int j = 0; j < kIndexCount && binding.bindingName.empty(); ++j) {
      const std::string name = kBindingPrefix + FourDigits(j);
      std::string unused;
      if (Read(reg, call, bindings, name, &unused)) binding.bindingName = name;
    }
    bindings.Close();
    if (binding.bindingName.empty()) continue;

    if (!ReadAt(reg, call, kNetworkPrefix + binding.bindingName, "Driver", &binding.driver))
      continue;
    // An empty driver would make the class key itself the adapter's key.
    if (binding.driver.empty()) continue;
    binding.parameterKey = kClassPrefix + binding.driver;
    // Windows 9x does not look at access masks; NT, and Wine, refuse to read
    // through a key opened for writing alone.
    Hand(reg, call, use == KeyUse::Write ? kKeyRead | kKeyWrite : kKeyRead, action, binding);
  }
  return outcome;
}

WalkOutcome WalkAdaptersNt(IRegistry& reg, AdapterFilter filter, const AdapterAction& action,
                           KeyUse use) {
  WalkOutcome outcome;
  Caller call{outcome};
  for (int i = 0; i < kIndexCount; ++i) {
    AdapterBinding binding;
    binding.index = i;
    ScopedKey card(reg);
    if (!OpenForReading(reg, call, kNetCardsPrefix + std::to_string(i), card)) continue;
    if (!Read(reg, call, card, "Title", &binding.description)) continue;
    binding.kind = ClassifyNt(binding.description);
    if (!Selects(filter, binding.kind)) continue;
    if (!Read(reg, call, card, "ServiceName", &binding.serviceName)) continue;
    card.Close();

    binding.parameterKey = kServicesPrefix + binding.serviceName + kTcpipSuffix;
    Hand(reg, call, use == KeyUse::Write ? kKeyAllAccess : kKeyRead, action, binding);
  }
  return outcome;
}

AdapterCensus TakeAdapterCensus(IRegistry& reg, const std::string& osName) {
  const bool nt = IsNtFamily(osName);
  AdapterCensus census;
  WalkOutcome ignored;  // the census speaks of what it found, never of trouble
  Caller call{ignored};
  for (int i = 0; i < kIndexCount; ++i) {
    std::string text;
    if (nt) {
      if (!ReadAt(reg, call, kNetCardsPrefix + std::to_string(i), "Title", &text)) continue;
      (text.find(kWanWrapper) != std::string::npos ? census.hasDialUp : census.hasLan) = true;
    } else {
      if (!ReadAt(reg, call, kNet9xPrefix + FourDigits(i), "DeviceDesc", &text)) continue;
      (text == kDialUpAdapter ? census.hasDialUp : census.hasLan) = true;
    }
  }
  return census;
}

AdapterFilter FilterForMode(int configMode) {
  return configMode == ModeAutoDialUp || configMode == ModeManualDialUp ? AdapterFilter::DialUp
                                                                        : AdapterFilter::Lan;
}

}  // namespace vl
