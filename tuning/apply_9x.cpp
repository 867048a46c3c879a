#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/write_steps.h"
#include "tuning/writers.h"

namespace vl {

WriteReport ApplySettings9x(IRegistry& reg, int configMode, TuningSettings& s,
                            const IFormControls* form) {
  const bool readForm = ReadsFormAtWriteTime(configMode);
  const AdapterFilter filter = FilterForMode(configMode);
  return WorkOnAdapters(
      [&](const AdapterAction& action) { return WalkAdapters9x(reg, filter, action); },
      [&](const AdapterBinding&, RegKey binding, WriteReport& report) {
        if (readForm) {
          TakeCustomText(form, IDC_RWIN_CUSTOM, IDC_RWIN_COMBO, &s.m_strRwinMultiple);
          TakeCustomText(form, IDC_KEEPALIVE_CUSTOM, IDC_KEEPALIVE_COMBO, &s.m_strKeepAlive);
          TakeCustomText(form, IDC_NDI_CUSTOM, IDC_NDI_COMBO, &s.m_strNdiCache);
        }
        Check(report, SetSz(reg, binding, "MaxMTU", s.m_strMaxMtu));
        Check(report, SetSz(reg, binding, "MaxMSS", s.m_strMaxMss));

        ScopedKey mstcp(reg);
        if (!OpenGlobal(reg, kMstcpKey, kKeyWrite9x, mstcp, report)) return;
        s.m_dwRcvWindow = ReceiveWindow(s.m_strRwinMultiple, s.m_strMaxMss);
        Check(report, SetDword(reg, mstcp.get(), "DefaultRcvWindow", s.m_dwRcvWindow));
        Check(report, SetSz(reg, mstcp.get(), "DefaultMSS", s.m_strMaxMss));
        Check(report, SetSz(reg, mstcp.get(), "DefaultTTL", s.m_strTtl));
        s.m_dwKeepAliveMs = KeepAliveMs(s.m_strKeepAlive);
        Check(report, SetDword(reg, mstcp.get(), "SessionKeepAlive", s.m_dwKeepAliveMs));
        const PmtuFlags flags = PmtuFlagsFor(configMode, form);
        Check(report, SetDword(reg, mstcp.get(), "PMTUDiscovery", flags.discovery));
        Check(report, SetDword(reg, mstcp.get(), "PMTUBlackHoleDetect", flags.blackHole));
        mstcp.Close();

        // The NDI key exists only where IPX/SPX is installed; without it there
        // is no cache to size, which is no failure.
        ScopedKey ndi(reg);
        if (!OpenGlobal(reg, kNdiCacheKey, kKeyWrite9x, ndi, report, /*mayBeAbsent=*/true)) return;
        Check(report, SetSz(reg, ndi.get(), "", s.m_strNdiCache));
      });
}

}  // namespace vl
