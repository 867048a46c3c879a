// The adapter walks, the census, the writers through the whole Apply command
// and the restores over a registry built from the input (keys, values of any
// type and length, gaps, indices past the last one walked), with one registry
// call made to fail. Whatever the registry holds:
// - the walks visit indices 0 to 99 only, in order, and hand on only adapters
//   of the kind asked for;
// - every value written is one the program writes, in its own type, with the
//   data the tuning values give, into a key where such values belong;
// - success is only claimed when every value of the run is in place;
// - no key is left open.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fast_registry.h"
#include "fuzz_app.h"
#include "fuzz_input.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tuning/adapters.h"
#include "tuning/apply_command.h"
#include "tuning/change_history.h"
#include "tuning/form_controls.h"
#include "tuning/restore.h"
#include "tuning/write_steps.h"

namespace {

using fuzz::Op;

const std::string kHklm = "HKLM\\";
const std::string kNet9x = "Enum\\Root\\Net\\";
const std::string kNetwork = "Enum\\Network\\";
const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\";
const std::string kNetCards = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";
const std::string kServices = "SYSTEM\\CurrentControlSet\\Services\\";
const std::string kTcpipSuffix = "\\Parameters\\Tcpip";

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}
// The registry's paths are lower case; so are these.
const std::string kLowNet9x = Lower(kHklm + kNet9x);
const std::string kLowNetCards = Lower(kHklm + kNetCards);
const std::string kLowServices = Lower(kHklm + kServices);
const std::string kLowClass = Lower(kHklm + kClass);
const std::string kLowTcpipSuffix = Lower(kTcpipSuffix);
const std::string kLowNdiCache = Lower(kHklm + vl::kNdiCacheKey);
const std::string kLowInterfaces = Lower(kHklm + vl::kInterfacesPrefix);
const std::string kLowProtocols = Lower(kHklm + vl::kNdisWanProtocolsPrefix);
const std::string kLowChanges = Lower(kHklm + vl::kSettingsBaseKey + "\\" + vl::kChangesSubkey);

bool StartsWith(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }
bool EndsWith(const std::string& s, const std::string& p) {
  return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}
bool Same(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

std::string Four(int n) { return (n < 10 ? "000" : "00") + std::to_string(n); }

// ---- Building the registry ----

std::string KeyPath(fuzz::Input& in) {
  const uint8_t pick = in.Byte();
  const int index = in.Byte() % 128;  // past 99 too: those must never be visited
  switch (pick % 13) {
    case 0: return kNet9x + Four(index);
    case 1: return kNet9x + Four(index) + "\\Bindings";
    case 2: return kNetwork + "MSTCP\\" + Four(index);
    case 3: return kClass + in.Text();
    case 4: return kNetCards + std::to_string(index);
    case 5: return kServices + in.Text() + kTcpipSuffix;
    case 6: return vl::kMstcpKey;
    case 7: return vl::kNdiCacheKey;
    case 8: return vl::kTcpipParametersKey;
    case 9: return vl::kInterfacesPrefix + in.Text();
    case 10: return vl::kNdisWanParameters;
    case 11: return vl::kNdisWanProtocolsPrefix + std::to_string(index);
    default: return in.Text();
  }
}

std::string ValueName(fuzz::Input& in) {
  static const char* const kNames[] = {"DeviceDesc", "Title",  "ServiceName", "Driver",
                                       "",           "MaxMTU", "DefaultTTL",  "Description",
                                       "ProtocolType", "ProtocolMTU"};
  const uint8_t pick = in.Byte() % 12;
  if (pick < 10) return kNames[pick];
  if (pick == 10) return "MSTCP\\" + Four(in.Byte() % 128);
  return in.Text();
}

std::string ValueData(fuzz::Input& in, uint32_t* type) {
  const uint8_t t = in.Byte();
  // Mostly texts with their NUL, as Windows keeps them; then anything.
  if (t < 0xA0) {
    *type = vl::kRegSz;
    return in.Text() + '\0';
  }
  *type = t & 7;
  return in.Bytes(in.Word() % 1100);
}

void Build(fuzz::Input& in, fuzz::FastRegistry& reg) {
  while (!in.empty()) {
    const uint8_t op = in.Byte() % 4;
    const std::string path = kHklm + KeyPath(in);
    if (op == 0) {
      reg.AddKey(path);
    } else if (op == 3) {
      reg.RemoveKey(path);
    } else {
      const std::string name = ValueName(in);
      uint32_t type = 0;
      std::string bytes = ValueData(in, &type);
      reg.Put(path, name, type, std::move(bytes));
    }
  }
}

// ---- The program's side ----

// The form's controls as the writers read them at write time: the Custom
// choices and check boxes, one bit each, and the texts of the three lists.
class Form : public vl::IFormControls {
 public:
  Form(uint8_t checks, fuzz::Input& in) : checks_(checks) {
    for (std::string& text : lists_) text = in.CleanText();
  }
  bool IsChecked(int id) const override {
    const int bit = Bit(id);
    return bit >= 0 && ((checks_ >> bit) & 1);
  }
  std::string GetText(int id) const override {
    const int lists[] = {IDC_RWIN_COMBO, IDC_KEEPALIVE_COMBO, IDC_NDI_COMBO};
    for (int i = 0; i < 3; ++i)
      if (id == lists[i]) return lists_[i];
    return std::string();
  }
  void SetCheck(int id, bool checked) override {
    const int bit = Bit(id);
    if (bit < 0) return;
    checks_ = static_cast<uint8_t>(checked ? checks_ | 1 << bit : checks_ & ~(1 << bit));
  }

 private:
  static int Bit(int id) {
    const int boxes[] = {IDC_RWIN_CUSTOM, IDC_KEEPALIVE_CUSTOM, IDC_NDI_CUSTOM,
                         IDC_PMTU_DISCOVERY, IDC_PMTU_BLACKHOLE, IDC_MODE_DIALUP, IDC_MODE_LAN};
    for (int bit = 0; bit < 7; ++bit)
      if (boxes[bit] == id) return bit;
    return -1;
  }
  uint8_t checks_;
  std::string lists_[3];
};

std::string Sz(const std::string& text) { return text + '\0'; }
std::string Dword(uint32_t v) {
  const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
  return std::string(b, 4);
}

struct Expected {
  // "adapter" for a card's or 9x adapter's parameter key, "line" for the
  // dial-up line's protocol key, else the global key's path
  std::string key;
  std::string name;
  uint32_t type;
  std::string data;
  bool deleted;      // a restore deletes what it wrote
  bool onlyDeleted = false;  // deleted without a write first
};

// What one run writes, by family and operation; `app` holds the texts as the
// writer ended with them.
std::vector<Expected> Plan(const vl::AppState& app, bool nt, bool restore) {
  const bool vista = vl::SizesReceiveWindowItself(app.m_eWinVersion);
  using vl::kRegDword;
  using vl::kRegSz;
  static const std::string mstcp = Lower(kHklm + vl::kMstcpKey);
  static const std::string tcpip = Lower(kHklm + vl::kTcpipParametersKey);
  const vl::PmtuFlags flags = vl::PmtuFlagsFor(app.m_nConfigMode, app.m_pFormView);
  const uint32_t discovery = flags.discovery;
  const uint32_t blackHole = flags.blackHole;
  const vl::TuningSettings& t = app.m_tuning;
  const std::string mtu = Dword(static_cast<uint32_t>(vl::Atoi(t.m_strMaxMtu)));
  if (nt && !restore) {
    std::vector<Expected> plan = {
        {"adapter", "MTU", kRegDword, mtu, false},
        {"line", "ProtocolMTU", kRegDword, mtu, false},
        {"line", "ProtocolType", kRegDword, Dword(vl::kNdisWanIpProtocol), false},
        {"line", "PPPProtocolType", kRegDword, Dword(vl::kPppIpProtocol), false},
        {tcpip, "DefaultTTL", kRegDword, Dword(static_cast<uint32_t>(vl::Atoi(t.m_strTtl))), false},
        {tcpip, "EnablePMTUDiscovery", kRegDword, Dword(discovery), false},
        {tcpip, "EnablePMTUBHDetect", kRegDword, Dword(blackHole), false}};
    // Where Windows sizes the receive window, it is never written.
    if (!vista) plan.push_back({tcpip, "TcpWindowSize", kRegDword, Dword(t.m_dwRcvWindow), false});
    return plan;
  }
  if (nt)
    return {{"adapter", "MTU", kRegDword, Dword(1500), true},
            {"line", "ProtocolMTU", kRegDword, std::string(), true, true},
            {tcpip, "TcpWindowSize", kRegDword, Dword(8192), true},
            {tcpip, "DefaultTTL", kRegDword, Dword(32), true},
            {tcpip, "EnablePMTUDiscovery", kRegDword, Dword(1), true},
            {tcpip, "EnablePMTUBHDetect", kRegDword, Dword(0), true}};
  if (!restore)
    return {{"adapter", "MaxMTU", kRegSz, Sz(t.m_strMaxMtu), false},
            {"adapter", "MaxMSS", kRegSz, Sz(t.m_strMaxMss), false},
            {mstcp, "DefaultRcvWindow", kRegDword, Dword(t.m_dwRcvWindow), false},
            {mstcp, "DefaultMSS", kRegSz, Sz(t.m_strMaxMss), false},
            {mstcp, "DefaultTTL", kRegSz, Sz(t.m_strTtl), false},
            {mstcp, "SessionKeepAlive", kRegDword, Dword(t.m_dwKeepAliveMs), false},
            {mstcp, "PMTUDiscovery", kRegDword, Dword(discovery), false},
            {mstcp, "PMTUBlackHoleDetect", kRegDword, Dword(blackHole), false},
            {kLowNdiCache, "", kRegSz, Sz(t.m_strNdiCache), false}};
  return {{"adapter", "MaxMTU", kRegSz, Sz("1500"), true},
          {"adapter", "MaxMSS", kRegSz, Sz("1460"), true},
          {mstcp, "DefaultRcvWindow", kRegDword, Dword(8192), true},
          {mstcp, "DefaultMSS", kRegSz, Sz("1460"), true},
          {mstcp, "DefaultTTL", kRegSz, Sz("32"), true},
          {mstcp, "SessionKeepAlive", kRegDword, Dword(3600000), true},
          {mstcp, "PMTUDiscovery", kRegDword, Dword(1), true},
          {mstcp, "PMTUBlackHoleDetect", kRegDword, Dword(0), true},
          {kLowNdiCache, "", kRegSz, Sz("0"), false}};
}

// The dial-up line's protocol key: NdisWan's Protocols key and a number.
bool IsLineKey(const std::string& path) {
  if (!StartsWith(path, kLowProtocols) || path.size() == kLowProtocols.size()) return false;
  for (size_t i = kLowProtocols.size(); i < path.size(); ++i)
    if (path[i] < '0' || path[i] > '9') return false;
  return true;
}

bool IsAdapterKey(const std::string& path, bool nt) {
  return nt ? (StartsWith(path, kLowServices) && EndsWith(path, kLowTcpipSuffix)) ||
                  StartsWith(path, kLowInterfaces)
            : StartsWith(path, kLowClass) || path + "\\" == kLowClass;
}

// The record of a change, kept before the change in the program's own key.
bool IsRecordWrite(const fuzz::Write& w) {
  return w.op == Op::Set && w.path == kLowChanges &&
         ((Lower(w.name) == "last" && w.type == vl::kRegDword && w.data.size() == 4) ||
          (StartsWith(Lower(w.name), "change ") && w.type == vl::kRegBinary));
}

const Expected* Find(const std::vector<Expected>& plan, const std::string& path,
                     const std::string& name, bool nt) {
  for (const Expected& e : plan) {
    if (!Same(e.name, name)) continue;
    if (e.key == "adapter"  ? IsAdapterKey(path, nt)
        : e.key == "line" ? nt && IsLineKey(path)
                          : path == e.key)
      return &e;
  }
  return nullptr;
}

// Every write is one of the plan's, and every delete follows its own write.
void CheckWrites(const fuzz::FastRegistry& reg, const std::vector<Expected>& plan, bool nt) {
  std::string lastSet;
  for (const fuzz::Write& w : reg.writes) {
    if (IsRecordWrite(w)) continue;
    const Expected* e = Find(plan, w.path, w.name, nt);
    FUZZ_REQUIRE(e != nullptr);
    if (w.op == Op::Set) {
      FUZZ_REQUIRE(!e->onlyDeleted && w.type == e->type && w.data == e->data);
      lastSet = w.path + "|" + Lower(w.name);
    } else {
      FUZZ_REQUIRE(w.op == Op::Delete && e->deleted &&
                   (e->onlyDeleted || lastSet == w.path + "|" + Lower(w.name)));
    }
  }
}

// After a run that claimed success: the global values stand as the plan says,
// and so do the values of every parameter key the run opened to write.
void CheckInPlace(const fuzz::FastRegistry& reg, const std::vector<Expected>& plan, bool nt,
                  bool ndiHidden) {
  std::vector<std::string> adapterKeys, lineKeys;
  for (const std::string& path : reg.writeOpens) {
    if (IsAdapterKey(path, nt)) adapterKeys.push_back(path);
    if (nt && IsLineKey(path)) lineKeys.push_back(path);
  }
  for (const Expected& e : plan) {
    // A protocol key that was there before keeps its own type values.
    if (e.key == "line" && e.name != "ProtocolMTU") continue;
    const std::vector<std::string> keys = e.key == "adapter" ? adapterKeys
                                          : e.key == "line"  ? lineKeys
                                                             : std::vector<std::string>{e.key};
    for (const std::string& key : keys) {
      if (e.key == kLowNdiCache && (ndiHidden || !reg.HasKey(key))) continue;
      const fuzz::Value* v = reg.Get(key, e.name);
      if (e.deleted) {
        FUZZ_REQUIRE(v == nullptr);
      } else {
        FUZZ_REQUIRE(v != nullptr && v->type == e.type && v->data == e.data);
      }
    }
  }
}

// The walks look at indices 0 to 99 only. Run for every key opened, so
// without the sanitizer's memcmp.
bool HasPrefix(const std::string& path, const std::string& prefix) {
  if (path.size() < prefix.size()) return false;
  for (size_t i = prefix.size(); i-- > 0;)  // the index parts differ at the end
    if (path[i] != prefix[i]) return false;
  return true;
}
void CheckIndex(const std::string& path) {
  for (const std::string* prefix : {&kLowNet9x, &kLowNetCards}) {
    if (!HasPrefix(path, *prefix)) continue;
    size_t digits = 0;
    int number = 0;
    for (size_t i = prefix->size(); i < path.size() && path[i] != '\\'; ++i, ++digits) {
      FUZZ_REQUIRE(path[i] >= '0' && path[i] <= '9');
      number = number * 10 + (path[i] - '0');
    }
    FUZZ_REQUIRE(digits >= 1 && digits <= 4 && number < 100);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint8_t scenario = in.Byte();
  const bool nt = scenario & 1;
  const int operation = (scenario >> 1) % 4;  // Apply, restore asked, restore quiet, walk
  const int mode = in.Byte() % 5;
  const uint16_t failingCall = in.Word();
  const long statuses[] = {vl::kErrorAccessDenied, vl::kErrorFileNotFound, vl::kErrorMoreData};
  const long status = statuses[in.Byte() % 3];

  static fuzz::FuzzApp f;
  fuzz::FastRegistry& reg = f.reg;
  vl::MemMessageBoxes& boxes = f.boxes;
  vl::AppState& app = f.app;
  app.m_strOsName = nt ? "2000" : "98";
  const vl::WindowsVersion versions[] = {vl::WindowsVersion::Nt4, vl::WindowsVersion::Windows2000,
                                         vl::WindowsVersion::WindowsXp, vl::WindowsVersion::Vista};
  app.m_eWinVersion = versions[(scenario >> 3) % 4];

  fuzz::Input none(nullptr, 0);
  std::unique_ptr<Form> form;
  if (mode <= vl::ModeAutoLan) {
    vl::LoadAutoMode(app, static_cast<vl::ConfigMode>(mode));
    form = std::make_unique<Form>(0, none);
  } else {
    app.m_nConfigMode = mode;
    vl::TuningSettings& t = app.m_tuning;
    t.m_strMaxMtu = in.CleanText();
    t.m_strMaxMss = in.CleanText();
    t.m_strTtl = in.CleanText();
    t.m_strRwinMultiple = in.CleanText();
    t.m_strKeepAlive = in.CleanText();
    t.m_strNdiCache = in.CleanText();
    const uint8_t checks = in.Byte();
    form = std::make_unique<Form>(checks, in);
  }
  app.m_pFormView = form.get();
  Build(in, reg);
  // A key that the failing call said was not there is, for the program, not
  // there: without the NDI key there is no cache to size.
  bool closeFailed = false;
  bool ndiHidden = false;
  bool denied = false;  // a call other than a close was refused
  size_t calls = 0;
  reg.observe = [&](const fuzz::Call& c) -> long {
    if (c.op == Op::Open) CheckIndex(c.path);
    if (!failingCall || ++calls != failingCall) return 0;
    closeFailed = c.op == Op::Close;
    denied = !closeFailed && status == vl::kErrorAccessDenied;
    ndiHidden = c.op == Op::Open && c.path == kLowNdiCache && vl::IsAbsentStatus(status);
    return status;
  };

  if (operation == 0) {
    fuzz::QuietUi ui;
    vl::RunApplyCommand(app, ui, vl::ApplyOrigin::Menu);
    const bool claimed =
        !boxes.shown.empty() &&
        (boxes.shown.front().text == vl::RestartQuestion(app.m_strProductName) ||
         boxes.shown.front().text ==
             vl::RestartQuestion(app.m_strProductName, vl::kReceiveWindowIgnored));
    const std::vector<Expected> plan = Plan(app, nt, false);
    CheckWrites(reg, plan, nt);
    if (claimed) CheckInPlace(reg, plan, nt, ndiHidden);
    // A refused call is told as such, never as success or as no adapter; a
    // machine without TCP/IP's own key is told that first, as nothing is
    // changed then.
    const std::string globalKey = Lower(kHklm + (nt ? vl::kTcpipParametersKey : vl::kMstcpKey));
    if (denied)
      FUZZ_REQUIRE(boxes.shown.front().text == vl::WriteFailedMessage(mode) ||
                   boxes.shown.front().text == vl::kChangeNotRecorded ||
                   (boxes.shown.front().text == vl::kTcpipNotInstalled && !reg.HasKey(globalKey)));
    if (!boxes.shown.empty() && boxes.shown.front().text == vl::kTcpipNotInstalled)
      FUZZ_REQUIRE(reg.writes.empty());
    // The automatic LAN question is never answered Yes here: nothing written.
    if (mode == vl::ModeAutoLan) FUZZ_REQUIRE(reg.writes.empty());
  } else if (operation <= 2) {
    const bool asked = operation == 1;
    boxes.answers.push_back(vl::kIdYes);
    // Asked, it is the command of the main window; else the uninstall run's.
    const vl::WriteReport report =
        asked ? vl::RunRestoreCommand(app)
              : nt ? vl::RestoreDefaultsNt(reg, app.m_tuning, app.m_eWinVersion)
                   : vl::RestoreDefaults9x(reg, app.m_tuning);
    const std::vector<Expected> plan = Plan(app, nt, true);
    CheckWrites(reg, plan, nt);
    const bool claimed =
        asked && boxes.shown.size() == 2 &&
        boxes.shown[1].text == vl::kRestoreDone;
    FUZZ_REQUIRE(claimed == (asked && !report.failed && !report.notRecorded));
    if (denied) FUZZ_REQUIRE(report.failed || report.notRecorded);
    if (claimed && report.adapters > 0) CheckInPlace(reg, plan, nt, ndiHidden);
  } else {
    const vl::AdapterFilter filters[] = {vl::AdapterFilter::DialUp, vl::AdapterFilter::Lan,
                                         vl::AdapterFilter::All};
    const vl::AdapterFilter filter = filters[mode % 3];
    int last = -1;
    auto action = [&](const vl::AdapterBinding& b, vl::RegKey key) {
      // The dial-up line comes last, after every card, as 100.
      FUZZ_REQUIRE(b.index > last && b.index <= 100);
      FUZZ_REQUIRE((b.index == 100) == (b.tcpipKey == vl::TcpipKey::DialUpLine));
      last = b.index;
      FUZZ_REQUIRE(key != 0);
      if (filter == vl::AdapterFilter::DialUp) FUZZ_REQUIRE(b.kind == vl::AdapterKind::DialUp);
      if (filter == vl::AdapterFilter::Lan) FUZZ_REQUIRE(b.kind == vl::AdapterKind::Lan);
    };
    const vl::WalkOutcome walk =
        nt ? vl::WalkAdaptersNt(reg, filter, action, vl::KeyUse::Write, app.m_eWinVersion)
           : vl::WalkAdapters9x(reg, filter, action);
    FUZZ_REQUIRE(walk.adapters <= 101);
    if (denied) FUZZ_REQUIRE(walk.troubled);
    FUZZ_REQUIRE(reg.writes.empty());
    vl::TakeAdapterCensus(reg, app.m_strOsName, app.m_eWinVersion);
  }
  if (!closeFailed) FUZZ_REQUIRE(reg.OpenHandles() == 0);
  f.Reset();
  return 0;
}
