// The adapter walks of both Windows families and the adapter census.
#pragma once
#include <functional>
#include <string>

#include "platform/registry.h"

namespace vl {

enum class AdapterKind { DialUp, Lan };
enum class AdapterFilter { DialUp, Lan, All };

struct AdapterBinding {
  int index = 0;
  std::string description;  // DeviceDesc (9x) or Title (NT)
  AdapterKind kind = AdapterKind::Lan;
  std::string bindingName;  // 9x: "MSTCP\00nn"
  std::string driver;       // 9x: the Driver value
  std::string serviceName;  // NT: the ServiceName value
  std::string parameterKey;  // path below HKEY_LOCAL_MACHINE
};

struct AdapterCensus {
  bool hasDialUp = false;
  bool hasLan = false;
};

// Called with each selected adapter and its open parameter key (the walk
// closes it afterwards). The 9x key is open for writing, the NT key with all
// access.
using AdapterAction = std::function<void(const AdapterBinding&, RegKey parameterKey)>;

// What a walk met. A missing key or value (or one too long to read) only
// removes an index from the walk; any other failing registry call is trouble,
// since it may have hidden an adapter the caller wanted.
struct WalkOutcome {
  int adapters = 0;        // times the action ran
  bool troubled = false;
};

WalkOutcome WalkAdapters9x(IRegistry& reg, AdapterFilter filter, const AdapterAction& action);
WalkOutcome WalkAdaptersNt(IRegistry& reg, AdapterFilter filter, const AdapterAction& action);
using AdapterWalk = WalkOutcome (*)(IRegistry&, AdapterFilter, const AdapterAction&);
// Which kinds of adapter the machine of that OS name has.
AdapterCensus TakeAdapterCensus(IRegistry& reg, const std::string& osName);
// The filter the writers use for a mode.
AdapterFilter FilterForMode(int configMode);

// Statuses that only say a key or value is not there (or does not fit the
// walk's buffer).
bool IsAbsentStatus(long status);

}  // namespace vl
