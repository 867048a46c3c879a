#include "app/app_state.h"
#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/write_steps.h"
#include "tuning/writers.h"

namespace vl {

// The NT family keeps even the MTU and TTL as numbers; it has no keep-alive
// or NDI cache values of this kind.
WriteReport ApplySettingsNt(AppState& app) {
  IRegistry& reg = *app.sys.registry;
  WriteReport report;
  const bool readForm = ReadsFormAtWriteTime(app.m_nConfigMode);

  WalkOutcome walk = WalkAdaptersNt(
      reg, FilterForMode(app.m_nConfigMode), [&](const AdapterBinding&, RegKey tcpip) {
        if (readForm) TakeCustomText(app, IDC_RWIN_CUSTOM, IDC_RWIN_COMBO, &app.m_strRwinMultiple);
        Check(report, SetDword(reg, tcpip, "MTU", static_cast<uint32_t>(Atoi(app.m_strMaxMtu))));

        ScopedKey parameters(reg);
        if (!OpenGlobal(reg, kTcpipParametersKey, kKeyAllAccess, parameters, report)) return;
        app.m_dwRcvWindow = ReceiveWindow(app.m_strRwinMultiple, app.m_strMaxMss);
        Check(report, SetDword(reg, parameters.get(), "TcpWindowSize", app.m_dwRcvWindow));
        Check(report, SetDword(reg, parameters.get(), "DefaultTTL",
                               static_cast<uint32_t>(Atoi(app.m_strTtl))));
        const PmtuFlags flags = PmtuFlagsFor(app);
        Check(report, SetDword(reg, parameters.get(), "EnablePMTUDiscovery", flags.discovery));
        Check(report, SetDword(reg, parameters.get(), "EnablePMTUBHDetect", flags.blackHole));
      });

  report.adapters = walk.adapters;
  if (walk.troubled) report.failed = true;
  return report;
}

}  // namespace vl
