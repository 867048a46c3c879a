// The adapter walks of both Windows families and the adapter census.
#pragma once
#include <functional>
#include <string>

#include "platform/registry.h"

namespace vl {
struct AppState;

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
// closes it afterwards).
using AdapterAction = std::function<void(const AdapterBinding&, RegKey parameterKey)>;

void WalkAdapters9x(IRegistry& reg, AdapterFilter filter, const AdapterAction& action);
void WalkAdaptersNt(IRegistry& reg, AdapterFilter filter, const AdapterAction& action);
AdapterCensus TakeAdapterCensus(AppState& app);
// The filter the writers use for a mode.
AdapterFilter FilterForMode(int configMode);

}  // namespace vl
