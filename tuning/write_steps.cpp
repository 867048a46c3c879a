#include "tuning/write_steps.h"

#include "app/app_state.h"
#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/form_controls.h"

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

bool FormChecked(const AppState& app, int controlId) {
  return app.m_pFormView != nullptr && app.m_pFormView->IsChecked(controlId);
}

void TakeCustomText(const AppState& app, int customId, int comboId, std::string* current) {
  if (FormChecked(app, customId)) *current = app.m_pFormView->GetText(comboId);
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

PmtuFlags PmtuFlagsFor(const AppState& app) {
  if (!ReadsFormAtWriteTime(app.m_nConfigMode)) return {1, 0};
  return {FormChecked(app, IDC_PMTU_DISCOVERY) ? 1u : 0u,
          FormChecked(app, IDC_PMTU_BLACKHOLE) ? 1u : 0u};
}

void Check(WriteReport& report, long status) {
  if (status != kErrorSuccess) report.failed = true;
}

bool OpenGlobal(IRegistry& reg, const char* path, uint32_t access, ScopedKey& key,
                WriteReport& report, bool mayBeAbsent) {
  long status = reg.OpenKey(kHkeyLocalMachine, path, access, key.Receive());
  if (status == kErrorSuccess) return true;
  if (!(mayBeAbsent && IsAbsentStatus(status))) report.failed = true;
  return false;
}

}  // namespace vl
