#include "tuning/write_steps.h"

#include "platform/text.h"
#include "res/resource.h"
#include "tuning/form_controls.h"
#include "tuning/tuning_choices.h"

namespace vl {

const char kMstcpKey[] = "System\\CurrentControlSet\\Services\\Vxd\\MSTCP";
const char kNdiCacheKey[] = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
const char kTcpipParametersKey[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

namespace {
constexpr uint32_t kDefaultWindow = 8192;
constexpr uint32_t kMsPerMinute = 60000;
const size_t kMinutesSuffixLength = 5;  // " min."

uint32_t Number(const std::string& text) { return static_cast<uint32_t>(Atoi(text)); }
}  // namespace

bool ReadsFormAtWriteTime(int configMode) {
  return configMode == ModeManualDialUp || configMode == ModeManualLan;
}

bool FormChecked(const IFormControls* form, int controlId) {
  return form != nullptr && form->IsChecked(controlId);
}

void TakeCustomText(const IFormControls* form, int customId, int comboId, std::string* current) {
  if (FormChecked(form, customId)) *current = form->GetText(comboId);
}

uint32_t ReceiveWindow(const std::string& rwinMultiple, const std::string& mss) {
  const std::string times = rwinMultiple.empty() ? std::string() : rwinMultiple.substr(1);
  uint32_t window = Number(times) * Number(mss);
  return window == 0 ? kDefaultWindow : window;
}

uint32_t KeepAliveMs(const std::string& keepAlive) {
  if (keepAlive.size() <= kMinutesSuffixLength) return 0;
  return Number(keepAlive.substr(0, keepAlive.size() - kMinutesSuffixLength)) * kMsPerMinute;
}

PmtuFlags PmtuFlagsFor(int configMode, const IFormControls* form) {
  if (!ReadsFormAtWriteTime(configMode)) return {1, 0};
  return {FormChecked(form, IDC_PMTU_DISCOVERY) ? 1u : 0u,
          FormChecked(form, IDC_PMTU_BLACKHOLE) ? 1u : 0u};
}

void Check(WriteReport& report, long status) {
  if (status != kErrorSuccess) report.failed = true;
}

bool OpenGlobal(IRegistry& reg, const std::string& path, uint32_t access, ScopedKey& key,
                WriteReport& report, bool mayBeAbsent) {
  long status = reg.OpenKey(kHkeyLocalMachine, path, access, key.Receive());
  if (status == kErrorSuccess) return true;
  const bool absent = IsAbsentStatus(status);
  if (mayBeAbsent && absent) return false;
  report.failed = true;
  if (absent) report.tcpipMissing = true;
  return false;
}

bool OpenInterfaceKey(IRegistry& reg, const AdapterBinding& adapter, ScopedKey& key,
                      WriteReport& report) {
  const std::string path = InterfaceKeyPath(adapter.serviceName);
  return !path.empty() &&
         OpenGlobal(reg, path, kKeyAllAccess, key, report, /*mayBeAbsent=*/true);
}

WriteReport WorkOnAdapters(const AdapterWalk& walk, const AdapterWork& work) {
  WriteReport report;
  const WalkOutcome outcome =
      walk([&](const AdapterBinding& adapter, RegKey key) { work(adapter, key, report); });
  report.adapters = outcome.adapters;
  report.unbound = outcome.unbound;
  if (outcome.troubled) report.failed = true;
  return report;
}

}  // namespace vl
