#include "platform/text.h"
#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/write_steps.h"
#include "tuning/writers.h"

namespace vl {

// The NT family keeps even the MTU and TTL as numbers; it has no keep-alive
// or NDI cache values of this kind. Windows 2000 and later take the MTU from
// the adapter's Interfaces key, so it goes there too where that key exists.
WriteReport ApplySettingsNt(IRegistry& reg, int configMode, TuningSettings& s,
                            const IFormControls* form) {
  const bool readForm = ReadsFormAtWriteTime(configMode);
  return WorkOnAdapters(
      WalkAdaptersNt, reg, FilterForMode(configMode),
      [&](const AdapterBinding& adapter, RegKey tcpip, WriteReport& report) {
        if (readForm) TakeCustomText(form, IDC_RWIN_CUSTOM, IDC_RWIN_COMBO, &s.m_strRwinMultiple);
        const uint32_t mtu = static_cast<uint32_t>(Atoi(s.m_strMaxMtu));
        Check(report, SetDword(reg, tcpip, "MTU", mtu));
        ScopedKey interfaceKey(reg);
        if (OpenInterfaceKey(reg, adapter, interfaceKey, report))
          Check(report, SetDword(reg, interfaceKey.get(), "MTU", mtu));
        interfaceKey.Close();

        ScopedKey parameters(reg);
        if (!OpenGlobal(reg, kTcpipParametersKey, kKeyAllAccess, parameters, report)) return;
        s.m_dwRcvWindow = ReceiveWindow(s.m_strRwinMultiple, s.m_strMaxMss);
        Check(report, SetDword(reg, parameters.get(), "TcpWindowSize", s.m_dwRcvWindow));
        Check(report, SetDword(reg, parameters.get(), "DefaultTTL",
                               static_cast<uint32_t>(Atoi(s.m_strTtl))));
        const PmtuFlags flags = PmtuFlagsFor(configMode, form);
        Check(report, SetDword(reg, parameters.get(), "EnablePMTUDiscovery", flags.discovery));
        Check(report, SetDword(reg, parameters.get(), "EnablePMTUBHDetect", flags.blackHole));
      });
}

}  // namespace vl
