#include "app/app_state.h"
#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/write_steps.h"
#include "tuning/writers.h"

namespace vl {

WriteReport ApplySettings9x(AppState& app) {
  IRegistry& reg = *app.sys.registry;
  WriteReport report;
  const bool readForm = ReadsFormAtWriteTime(app.m_nConfigMode);

  WalkOutcome walk = WalkAdapters9x(
      reg, FilterForMode(app.m_nConfigMode), [&](const AdapterBinding&, RegKey binding) {
        if (readForm) {
          TakeCustomText(app, IDC_RWIN_CUSTOM, IDC_RWIN_COMBO, &app.m_strRwinMultiple);
          TakeCustomText(app, IDC_KEEPALIVE_CUSTOM, IDC_KEEPALIVE_COMBO, &app.m_strKeepAlive);
          TakeCustomText(app, IDC_NDI_CUSTOM, IDC_NDI_COMBO, &app.m_strNdiCache);
        }
        Check(report, SetSz(reg, binding, "MaxMTU", app.m_strMaxMtu));
        Check(report, SetSz(reg, binding, "MaxMSS", app.m_strMaxMss));

        ScopedKey mstcp(reg);
        if (!OpenGlobal(reg, kMstcpKey, kKeyWrite, mstcp, report)) return;
        app.m_dwRcvWindow = ReceiveWindow(app.m_strRwinMultiple, app.m_strMaxMss);
        Check(report, SetDword(reg, mstcp.get(), "DefaultRcvWindow", app.m_dwRcvWindow));
        Check(report, SetSz(reg, mstcp.get(), "DefaultMSS", app.m_strMaxMss));
        Check(report, SetSz(reg, mstcp.get(), "DefaultTTL", app.m_strTtl));
        app.m_dwKeepAliveMs = KeepAliveMs(app.m_strKeepAlive);
        Check(report, SetDword(reg, mstcp.get(), "SessionKeepAlive", app.m_dwKeepAliveMs));
        const PmtuFlags flags = PmtuFlagsFor(app);
        Check(report, SetDword(reg, mstcp.get(), "PMTUDiscovery", flags.discovery));
        Check(report, SetDword(reg, mstcp.get(), "PMTUBlackHoleDetect", flags.blackHole));
        mstcp.Close();

        // The NDI key exists only where IPX/SPX is installed; without it there
        // is no cache to size, which is no failure.
        ScopedKey ndi(reg);
        if (!OpenGlobal(reg, kNdiCacheKey, kKeyWrite, ndi, report, /*mayBeAbsent=*/true)) return;
        Check(report, SetSz(reg, ndi.get(), "", app.m_strNdiCache));
      });

  report.adapters = walk.adapters;
  if (walk.troubled) report.failed = true;
  return report;
}

}  // namespace vl
