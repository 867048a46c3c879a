#include "platform/text.h"
#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/write_steps.h"
#include "tuning/writers.h"

namespace vl {

// The NT family keeps even the MTU and TTL as numbers; it has no keep-alive
// or NDI cache values of this kind.
WriteReport ApplySettingsNt(IRegistry& reg, int configMode, TuningSettings& s,
                            const IFormControls* form, WindowsVersion version) {
  const bool readForm = ReadsFormAtWriteTime(configMode);
  const AdapterFilter filter = FilterForMode(configMode);
  return WorkOnAdapters(
      [&](const AdapterAction& action) {
        return WalkAdaptersNt(reg, filter, action, KeyUse::WriteMakingLine, version);
      },
      [&](const AdapterBinding& adapter, RegKey key, WriteReport& report) {
        if (readForm) TakeCustomText(form, IDC_RWIN_CUSTOM, IDC_RWIN_COMBO, &s.m_strRwinMultiple);
        const uint32_t mtu = static_cast<uint32_t>(Atoi(s.m_strMaxMtu));
        switch (adapter.tcpipKey) {
          case TcpipKey::DialUpLine:
            // A protocol key of our making tells NdisWan which protocol it
            // is, as Windows' own do.
            if (adapter.keyToMake) {
              Check(report, SetDword(reg, key, "ProtocolType", kNdisWanIpProtocol));
              Check(report, SetDword(reg, key, "PPPProtocolType", kPppIpProtocol));
            }
            Check(report, SetDword(reg, key, "ProtocolMTU", mtu));
            break;
          case TcpipKey::Interface:
            Check(report, SetDword(reg, key, "MTU", mtu));
            report.interfaceMtus.push_back({adapter.serviceName, mtu});
            break;
          default: {
            Check(report, SetDword(reg, key, "MTU", mtu));
            // An NT 4 card's service may also have an Interfaces key where a
            // later Windows made one; that is where such a Windows reads.
            ScopedKey interfaceKey(reg);
            if (OpenInterfaceKey(reg, adapter, interfaceKey, report))
              Check(report, SetDword(reg, interfaceKey.get(), "MTU", mtu));
            break;
          }
        }

        ScopedKey parameters(reg);
        if (!OpenGlobal(reg, kTcpipParametersKey, kKeyAllAccess, parameters, report)) return;
        s.m_dwRcvWindow = ReceiveWindow(s.m_strRwinMultiple, s.m_strMaxMss);
        if (SizesReceiveWindowItself(version))
          report.receiveWindowIgnored = true;
        else
          Check(report, SetDword(reg, parameters.get(), "TcpWindowSize", s.m_dwRcvWindow));
        Check(report, SetDword(reg, parameters.get(), "DefaultTTL",
                               static_cast<uint32_t>(Atoi(s.m_strTtl))));
        const PmtuFlags flags = PmtuFlagsFor(configMode, form);
        Check(report, SetDword(reg, parameters.get(), "EnablePMTUDiscovery", flags.discovery));
        Check(report, SetDword(reg, parameters.get(), "EnablePMTUBHDetect", flags.blackHole));
      });
}

}  // namespace vl
