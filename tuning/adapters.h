// The adapter walks of both Windows families and the adapter census.
#pragma once
#include <functional>
#include <string>

#include "platform/registry.h"

namespace vl {

// Where the parameter keys lie: the 9x class key of the adapter's driver, the
// NT service's TCP/IP parameters.
extern const char kClassPrefix[];     // "System\CurrentControlSet\Services\Class\" + driver
extern const char kServicesPrefix[];  // "SYSTEM\CurrentControlSet\Services\" + service
extern const char kTcpipSuffix[];     //   + "\Parameters\Tcpip"

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

// How a walk opens the parameter keys it hands on: for reading only, or for
// writing; the writers read back what they write, so theirs can be read too.
enum class KeyUse { Read, Write };

WalkOutcome WalkAdapters9x(IRegistry& reg, AdapterFilter filter, const AdapterAction& action,
                           KeyUse use = KeyUse::Write);
WalkOutcome WalkAdaptersNt(IRegistry& reg, AdapterFilter filter, const AdapterAction& action,
                           KeyUse use = KeyUse::Write);
using AdapterWalk = WalkOutcome (*)(IRegistry&, AdapterFilter, const AdapterAction&, KeyUse);
// Which kinds of adapter the machine of that OS name has.
AdapterCensus TakeAdapterCensus(IRegistry& reg, const std::string& osName);
// The filter the writers use for a mode, and whether a filter takes a kind.
AdapterFilter FilterForMode(int configMode);
bool Selects(AdapterFilter filter, AdapterKind kind);

// Statuses that only say a key or value is not there (or does not fit the
// walk's buffer).
bool IsAbsentStatus(long status);

}  // namespace vl
