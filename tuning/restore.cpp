#include "tuning/restore.h"

#include "state/app_state.h"
#include "state/os_detect.h"
#include "tuning/adapters.h"
#include "tuning/apply_command.h"
#include "tuning/recorded_change.h"
#include "tuning/write_steps.h"

namespace vl {

const char kRestoreQuestion[] =
    "The program will restore Windows default settings.\n"
    "It will restore both your Dial-Up and LAN settings.\n"
    "Would you like to continue?";
const char kRestoreDone[] = "Windows default settings were successfully restored.";
const char kRestoreFailed[] =
    "Windows default settings could not be fully restored.\n"
    "Some values could not be changed in the registry.\n\n"
    "Please log on as an administrator and restore them again.";

namespace {

constexpr uint32_t kDefaultWindow = 8192;
constexpr uint32_t kDefaultKeepAliveMs = 3600000;
// Any value of that name is removed, whatever it holds.
constexpr uint32_t kMaxRestoredBytes = 4096;

// Writing the default before deleting leaves the default in place should the
// delete fail; once deleted, Windows falls back on its built-in value anyway.
void RestoreSz(IRegistry& reg, RegKey key, const char* name, const char* text,
               WriteReport& report) {
  Check(report, SetSz(reg, key, name, text));
  Check(report, reg.DeleteValue(key, name));
}

void RestoreDword(IRegistry& reg, RegKey key, const char* name, uint32_t value,
                  WriteReport& report) {
  Check(report, SetDword(reg, key, name, value));
  Check(report, reg.DeleteValue(key, name));
}

}  // namespace

WriteReport RestoreDefaults9x(IRegistry& reg, TuningSettings& settings) {
  return WorkOnAdapters(
      [&](const AdapterAction& action) {
        return WalkAdapters9x(reg, AdapterFilter::All, action);
      },
      [&](const AdapterBinding&, RegKey binding, WriteReport& report) {
        RestoreSz(reg, binding, "MaxMTU", "1500", report);
        RestoreSz(reg, binding, "MaxMSS", "1460", report);

        ScopedKey mstcp(reg);
        if (!OpenGlobal(reg, kMstcpKey, kKeyWrite9x, mstcp, report)) return;
        settings.m_dwRcvWindow = kDefaultWindow;
        RestoreDword(reg, mstcp.get(), "DefaultRcvWindow", settings.m_dwRcvWindow, report);
        RestoreSz(reg, mstcp.get(), "DefaultMSS", "1460", report);
        RestoreSz(reg, mstcp.get(), "DefaultTTL", "32", report);
        settings.m_dwKeepAliveMs = kDefaultKeepAliveMs;
        RestoreDword(reg, mstcp.get(), "SessionKeepAlive", settings.m_dwKeepAliveMs, report);
        RestoreDword(reg, mstcp.get(), "PMTUDiscovery", 1, report);
        RestoreDword(reg, mstcp.get(), "PMTUBlackHoleDetect", 0, report);
        mstcp.Close();

        // Without IPX/SPX there is no NDI key and nothing to restore there.
        ScopedKey ndi(reg);
        if (!OpenGlobal(reg, kNdiCacheKey, kKeyWrite9x, ndi, report, /*mayBeAbsent=*/true)) return;
        Check(report, SetSz(reg, ndi.get(), "", "0"));
      });
}

WriteReport RestoreDefaultsNt(IRegistry& reg, TuningSettings& settings, WindowsVersion version) {
  return WorkOnAdapters(
      [&](const AdapterAction& action) {
        return WalkAdaptersNt(reg, AdapterFilter::All, action, KeyUse::Write, version);
      },
      [&](const AdapterBinding& adapter, RegKey key, WriteReport& report) {
        switch (adapter.tcpipKey) {
          case TcpipKey::DialUpLine: {
            // Without "ProtocolMTU" NdisWan takes its own; the protocol key
            // itself is Windows' (or was there before) and stays.
            uint32_t type = kRegNone;
            std::vector<uint8_t> data;
            if (QueryRaw(reg, key, "ProtocolMTU", kMaxRestoredBytes, &type, &data) !=
                kErrorFileNotFound)
              Check(report, reg.DeleteValue(key, "ProtocolMTU"));
            break;
          }
          case TcpipKey::Interface:
            RestoreDword(reg, key, "MTU", 1500, report);
            break;
          default: {
            RestoreDword(reg, key, "MTU", 1500, report);
            ScopedKey interfaceKey(reg);
            if (OpenInterfaceKey(reg, adapter, interfaceKey, report))
              RestoreDword(reg, interfaceKey.get(), "MTU", 1500, report);
            break;
          }
        }

        ScopedKey parameters(reg);
        if (!OpenGlobal(reg, kTcpipParametersKey, kKeyAllAccess, parameters, report)) return;
        settings.m_dwRcvWindow = kDefaultWindow;
        RestoreDword(reg, parameters.get(), "TcpWindowSize", settings.m_dwRcvWindow, report);
        RestoreDword(reg, parameters.get(), "DefaultTTL", 32, report);
        RestoreDword(reg, parameters.get(), "EnablePMTUDiscovery", 1, report);
        RestoreDword(reg, parameters.get(), "EnablePMTUBHDetect", 0, report);
      });
}

// The user is at the controls: ask first, record what the restore changes so
// that it can be undone, then tell the outcome.
WriteReport RunRestoreCommand(AppState& app) {
  IMessageBoxes& boxes = *app.sys.boxes;
  const std::string& caption = app.m_strProductName;
  if (boxes.Show(0, kRestoreQuestion, caption, kMbYesNo | kMbIconQuestion | kMbDefButton2) !=
      kIdYes) {
    WriteReport report;
    report.cancelled = true;
    return report;
  }
  ChangeRecord change;
  change.kind = ChangeKind::Restore;
  const bool nt = IsNtFamily(app.m_strOsName);
  const WriteReport report = RunRecordedChange(app, change, [&](IRegistry& reg) {
    return nt ? RestoreDefaultsNt(reg, app.m_tuning, app.m_eWinVersion)
              : RestoreDefaults9x(reg, app.m_tuning);
  });
  const char* text = kRestoreDone;
  if (report.notRecorded)
    text = kChangeNotRecorded;
  else if (report.tcpipMissing)
    text = kTcpipNotInstalled;
  else if (report.failed)
    text = kRestoreFailed;
  boxes.Show(0, text, caption,
             kMbOk | (text == kRestoreDone ? kMbIconInformation : kMbIconExclamation));
  return report;
}

}  // namespace vl
