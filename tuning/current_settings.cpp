#include "tuning/current_settings.h"

#include "state/app_state.h"
#include "state/os_detect.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/change_record.h"
#include "tuning/write_steps.h"

namespace vl {

const char kAllAdapters[] = "All adapters";
const char kNotSet[] = "(not set)";
const char kNotUsedSinceVista[] =
    "Not used by Windows Vista and later: they size the receive window themselves";

namespace {

const char kCannotRead[] = "(cannot be read)";
// A cell stays readable in the list and on one line of the clipboard.
constexpr size_t kMaxCellText = 200;
constexpr size_t kMaxShownBytes = 16;

std::string Decimal(uint32_t n) { return std::to_string(n); }
std::string Number(const std::string& text) { return Decimal(static_cast<uint32_t>(Atoi(text))); }

// What the current choice writes, computed as the writers compute it but on
// a copy: looking changes nothing.
struct Choice {
  bool chosen = false;
  AdapterFilter filter = AdapterFilter::Lan;
  TuningSettings t;
  PmtuFlags flags = {1, 0};
};

Choice ChoiceOf(const AppState& app, bool nt) {
  Choice c;
  c.chosen = app.m_nConfigMode != ModeNone;
  if (!c.chosen) return c;
  c.filter = FilterForMode(app.m_nConfigMode);
  c.t = app.m_tuning;
  const IFormControls* form = app.m_pFormView;
  if (ReadsFormAtWriteTime(app.m_nConfigMode)) {
    TakeCustomText(form, IDC_RWIN_CUSTOM, IDC_RWIN_COMBO, &c.t.m_strRwinMultiple);
    if (!nt) {
      TakeCustomText(form, IDC_KEEPALIVE_CUSTOM, IDC_KEEPALIVE_COMBO, &c.t.m_strKeepAlive);
      TakeCustomText(form, IDC_NDI_CUSTOM, IDC_NDI_COMBO, &c.t.m_strNdiCache);
    }
  }
  c.flags = PmtuFlagsFor(app.m_nConfigMode, form);
  return c;
}

// The cell of a value now, read through an open key.
std::string NowText(IRegistry& reg, RegKey key, const std::string& name) {
  uint32_t type = kRegNone;
  std::vector<uint8_t> data;
  const long status = QueryRaw(reg, key, name, kMaxPriorBytes, &type, &data);
  if (status == kErrorFileNotFound) return kNotSet;
  if (status != kErrorSuccess) return kCannotRead;
  return RegistryValueText(type, data);
}

struct GlobalValue {
  const char* setting;
  const char* name;
  std::string wouldWrite;
  bool receiveWindow;
};

// The rows of one global key, opened for reading; `writes` tells whether the
// choice reaches the key at all.
void AddGlobals(IRegistry& reg, const std::string& path, bool writes,
                const std::vector<GlobalValue>& values, bool vista, SettingsTable& table) {
  ScopedKey key(reg);
  const long opened = reg.OpenKey(kHkeyLocalMachine, path, kKeyRead, key.Receive());
  for (const GlobalValue& v : values) {
    // A key that is not there holds no value; one the registry keeps from us
    // may.
    const std::string now = opened == kErrorSuccess ? NowText(reg, key.get(), v.name)
                            : IsAbsentStatus(opened) ? kNotSet
                                                     : kCannotRead;
    // Where Windows sizes the receive window, the Apply leaves it alone.
    const bool ignored = v.receiveWindow && vista;
    table.rows.push_back({v.setting, kAllAdapters, now,
                          writes && !ignored ? v.wouldWrite : std::string(),
                          ignored ? kNotUsedSinceVista : ""});
  }
}

bool KeyExists(IRegistry& reg, const std::string& path) {
  ScopedKey key(reg);
  return reg.OpenKey(kHkeyLocalMachine, path, kKeyRead, key.Receive()) == kErrorSuccess;
}

std::string OneLine(std::string text) {
  for (char& c : text)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return text;
}

}  // namespace

std::string RegistryValueText(uint32_t type, const std::vector<uint8_t>& data) {
  std::string text;
  if (type == kRegSz || type == kRegExpandSz) {
    text.assign(data.begin(), data.end());
    text.resize(text.find('\0') == std::string::npos ? text.size() : text.find('\0'));
  } else if (type == kRegDword && data.size() == 4) {
    text = Decimal(data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24);
  } else {
    static const char kHex[] = "0123456789ABCDEF";
    text = "(type " + Decimal(type) + ")";
    for (size_t i = 0; i < data.size() && i < kMaxShownBytes; ++i) {
      text += ' ';
      text += kHex[data[i] >> 4];
      text += kHex[data[i] & 15];
    }
    if (data.size() > kMaxShownBytes) text += " ...";
  }
  if (text.size() > kMaxCellText) text = text.substr(0, kMaxCellText) + "...";
  return OneLine(text);
}

SettingsTable ReadCurrentSettings(AppState& app) {
  IRegistry& reg = *app.sys.registry;
  const bool nt = IsNtFamily(app.m_strOsName);
  const bool vista = nt && SizesReceiveWindowItself(app.m_eWinVersion);
  const Choice c = ChoiceOf(app, nt);
  // Without the family's global key the Apply changes nothing at all.
  const bool tcpip = KeyExists(reg, nt ? kTcpipParametersKey : kMstcpKey);
  SettingsTable table;
  table.columns = {"Setting", "Where", "Value now", "Your choice would write"};

  bool reached = false;  // the choice writes at least one adapter
  auto adapter = [&](const AdapterBinding& a, RegKey key) {
    const bool writes = tcpip && c.chosen && Selects(c.filter, a.kind);
    reached = reached || writes;
    auto row = [&](const char* setting, RegKey from, const char* name, const std::string& value) {
      // The dial-up line's protocol key may be one the Apply is still to make.
      table.rows.push_back({setting, OneLine(a.description),
                            from == 0 ? std::string(kNotSet) : NowText(reg, from, name),
                            writes ? value : std::string(), std::string()});
    };
    if (!nt) {
      row("MTU (MaxMTU)", key, "MaxMTU", c.t.m_strMaxMtu);
      row("MSS (MaxMSS)", key, "MaxMSS", c.t.m_strMaxMss);
      return;
    }
    const std::string mtu = Number(c.t.m_strMaxMtu);
    if (a.tcpipKey == TcpipKey::DialUpLine) {
      row("MTU (ProtocolMTU)", a.keyToMake ? 0 : key, "ProtocolMTU", mtu);
      return;
    }
    row("MTU (MTU)", key, "MTU", mtu);
    if (a.tcpipKey != TcpipKey::Service) return;
    const std::string interfacePath = InterfaceKeyPath(a.serviceName);
    ScopedKey interfaceKey(reg);
    if (!interfacePath.empty() &&
        reg.OpenKey(kHkeyLocalMachine, interfacePath, kKeyRead, interfaceKey.Receive()) ==
            kErrorSuccess)
      row("MTU (MTU of the Interfaces key)", interfaceKey.get(), "MTU", mtu);
  };
  if (nt)
    WalkAdaptersNt(reg, AdapterFilter::All, adapter, KeyUse::Read, app.m_eWinVersion);
  else
    WalkAdapters9x(reg, AdapterFilter::All, adapter, KeyUse::Read);

  const std::string window = Decimal(ReceiveWindow(c.t.m_strRwinMultiple, c.t.m_strMaxMss));
  const std::string discovery = Decimal(c.flags.discovery);
  const std::string blackHole = Decimal(c.flags.blackHole);
  if (nt) {
    AddGlobals(reg, kTcpipParametersKey, reached,
               {{"RWIN (TcpWindowSize)", "TcpWindowSize", window, true},
                {"TTL (DefaultTTL)", "DefaultTTL", Number(c.t.m_strTtl), false},
                {"PMTU Auto Discovery (EnablePMTUDiscovery)", "EnablePMTUDiscovery", discovery,
                 false},
                {"PMTU Black Hole Detect (EnablePMTUBHDetect)", "EnablePMTUBHDetect", blackHole,
                 false}},
               vista, table);
  } else {
    AddGlobals(reg, kMstcpKey, reached,
               {{"RWIN (DefaultRcvWindow)", "DefaultRcvWindow", window, true},
                {"MSS (DefaultMSS)", "DefaultMSS", c.t.m_strMaxMss, false},
                {"TTL (DefaultTTL)", "DefaultTTL", c.t.m_strTtl, false},
                {"Session Keep Alive (SessionKeepAlive)", "SessionKeepAlive",
                 Decimal(KeepAliveMs(c.t.m_strKeepAlive)), false},
                {"PMTU Auto Discovery (PMTUDiscovery)", "PMTUDiscovery", discovery, false},
                {"PMTU Black Hole Detect (PMTUBlackHoleDetect)", "PMTUBlackHoleDetect",
                 blackHole, false}},
               false, table);
    // The cache is sized only where IPX/SPX made its key.
    AddGlobals(reg, kNdiCacheKey, reached && KeyExists(reg, kNdiCacheKey),
               {{"NDI Cache (cachesize)", "", c.t.m_strNdiCache, false}}, false, table);
  }
  for (SettingRow& row : table.rows) row.wouldWrite = OneLine(row.wouldWrite);
  if (vista) table.columns.push_back("Note");
  return table;
}

std::vector<std::string> RowCells(const SettingsTable& table, const SettingRow& row) {
  std::vector<std::string> cells = {row.setting, row.where, row.now, row.wouldWrite, row.note};
  cells.resize(table.columns.size());
  return cells;
}

std::string SettingsTableText(const SettingsTable& table) {
  auto line = [](const std::vector<std::string>& cells) {
    std::string text;
    for (size_t i = 0; i < cells.size(); ++i) text += (i ? "\t" : "") + cells[i];
    return text + "\r\n";
  };
  std::string text = line(table.columns);
  for (const SettingRow& row : table.rows) text += line(RowCells(table, row));
  return text;
}

}  // namespace vl
