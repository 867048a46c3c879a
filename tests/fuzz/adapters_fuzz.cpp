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
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "platform/text.h"
#include "res/resource.h"
#include "tests/unit/kit/fake_form.h"
#include "tests/unit/kit/mem_app.h"
#include "tests/unit/kit/recording_apply_ui.h"
#include "tuning/adapters.h"
#include "tuning/apply_command.h"
#include "tuning/change_history.h"
#include "tuning/restore.h"
#include "tuning/write_steps.h"

namespace {

using vl::RegCall;
using vl::RegOp;

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
bool StartsWith(const std::string& s, const std::string& p) {
  return Lower(s).compare(0, p.size(), Lower(p)) == 0;
}
bool EndsWith(const std::string& s, const std::string& p) {
  return s.size() >= p.size() && Lower(s).compare(s.size() - p.size(), p.size(), Lower(p)) == 0;
}
bool Same(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

std::string Four(int n) { return (n < 10 ? "000" : "00") + std::to_string(n); }

// ---- Building the registry ----

std::string KeyPath(fuzz::Input& in) {
  const uint8_t pick = in.Byte();
  const int index = in.Byte() % 128;  // past 99 too: those must never be visited
  switch (pick % 10) {
    case 0: return kNet9x + Four(index);
    case 1: return kNet9x + Four(index) + "\\Bindings";
    case 2: return kNetwork + "MSTCP\\" + Four(index);
    case 3: return kClass + in.Text();
    case 4: return kNetCards + std::to_string(index);
    case 5: return kServices + in.Text() + kTcpipSuffix;
    case 6: return vl::kMstcpKey;
    case 7: return vl::kNdiCacheKey;
    case 8: return vl::kTcpipParametersKey;
    default: return in.Text();
  }
}

std::string ValueName(fuzz::Input& in) {
  static const char* const kNames[] = {"DeviceDesc", "Title", "ServiceName", "Driver",
                                       "", "MaxMTU", "DefaultTTL"};
  const uint8_t pick = in.Byte() % 9;
  if (pick < 7) return kNames[pick];
  if (pick == 7) return "MSTCP\\" + Four(in.Byte() % 128);
  return in.Text();
}

std::vector<uint8_t> ValueData(fuzz::Input& in, uint32_t* type) {
  const uint8_t t = in.Byte();
  // Mostly texts with their NUL, as Windows keeps them; then anything.
  if (t < 0xA0) {
    *type = vl::kRegSz;
    std::string text = in.Text();
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
  }
  *type = t & 7;
  std::string raw = in.Bytes(in.Word() % 1100);
  return {raw.begin(), raw.end()};
}

void Build(fuzz::Input& in, vl::MemRegistry& reg) {
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
      std::vector<uint8_t> bytes = ValueData(in, &type);
      reg.Put(path, name, type, std::move(bytes));
    }
  }
}

// ---- The program's side ----

// The form's Custom choices and check boxes, one bit each.
void CheckForm(vl::FakeFormWindow& form, uint8_t checks) {
  const int boxes[] = {IDC_RWIN_CUSTOM, IDC_KEEPALIVE_CUSTOM, IDC_NDI_CUSTOM, IDC_PMTU_DISCOVERY,
                       IDC_PMTU_BLACKHOLE};
  for (int bit = 0; bit < 5; ++bit) form.SetCheck(boxes[bit], (checks >> bit) & 1);
}

std::string Sz(const std::string& text) { return text + '\0'; }
std::string Dword(uint32_t v) {
  const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
  return std::string(b, 4);
}

struct Expected {
  std::string key;   // "adapter" for a parameter key, else the global key
  std::string name;
  uint32_t type;
  std::string data;
  bool deleted;      // a restore deletes what it wrote
};

// What one run writes, by family and operation; `app` holds the texts as the
// writer ended with them.
std::vector<Expected> Plan(const vl::AppState& app, bool nt, bool restore) {
  using vl::kRegDword;
  using vl::kRegSz;
  const vl::PmtuFlags flags = vl::PmtuFlagsFor(app.m_nConfigMode, app.m_pFormView);
  const uint32_t discovery = flags.discovery;
  const uint32_t blackHole = flags.blackHole;
  const vl::TuningSettings& t = app.m_tuning;
  if (nt && !restore)
    return {{"adapter", "MTU", kRegDword, Dword(static_cast<uint32_t>(vl::Atoi(t.m_strMaxMtu))), false},
            {vl::kTcpipParametersKey, "TcpWindowSize", kRegDword, Dword(t.m_dwRcvWindow), false},
            {vl::kTcpipParametersKey, "DefaultTTL", kRegDword, Dword(static_cast<uint32_t>(vl::Atoi(t.m_strTtl))), false},
            {vl::kTcpipParametersKey, "EnablePMTUDiscovery", kRegDword, Dword(discovery), false},
            {vl::kTcpipParametersKey, "EnablePMTUBHDetect", kRegDword, Dword(blackHole), false}};
  if (nt)
    return {{"adapter", "MTU", kRegDword, Dword(1500), true},
            {vl::kTcpipParametersKey, "TcpWindowSize", kRegDword, Dword(8192), true},
            {vl::kTcpipParametersKey, "DefaultTTL", kRegDword, Dword(32), true},
            {vl::kTcpipParametersKey, "EnablePMTUDiscovery", kRegDword, Dword(1), true},
            {vl::kTcpipParametersKey, "EnablePMTUBHDetect", kRegDword, Dword(0), true}};
  if (!restore)
    return {{"adapter", "MaxMTU", kRegSz, Sz(t.m_strMaxMtu), false},
            {"adapter", "MaxMSS", kRegSz, Sz(t.m_strMaxMss), false},
            {vl::kMstcpKey, "DefaultRcvWindow", kRegDword, Dword(t.m_dwRcvWindow), false},
            {vl::kMstcpKey, "DefaultMSS", kRegSz, Sz(t.m_strMaxMss), false},
            {vl::kMstcpKey, "DefaultTTL", kRegSz, Sz(t.m_strTtl), false},
            {vl::kMstcpKey, "SessionKeepAlive", kRegDword, Dword(t.m_dwKeepAliveMs), false},
            {vl::kMstcpKey, "PMTUDiscovery", kRegDword, Dword(discovery), false},
            {vl::kMstcpKey, "PMTUBlackHoleDetect", kRegDword, Dword(blackHole), false},
            {vl::kNdiCacheKey, "", kRegSz, Sz(t.m_strNdiCache), false}};
  return {{"adapter", "MaxMTU", kRegSz, Sz("1500"), true},
          {"adapter", "MaxMSS", kRegSz, Sz("1460"), true},
          {vl::kMstcpKey, "DefaultRcvWindow", kRegDword, Dword(8192), true},
          {vl::kMstcpKey, "DefaultMSS", kRegSz, Sz("1460"), true},
          {vl::kMstcpKey, "DefaultTTL", kRegSz, Sz("32"), true},
          {vl::kMstcpKey, "SessionKeepAlive", kRegDword, Dword(3600000), true},
          {vl::kMstcpKey, "PMTUDiscovery", kRegDword, Dword(1), true},
          {vl::kMstcpKey, "PMTUBlackHoleDetect", kRegDword, Dword(0), true},
          {vl::kNdiCacheKey, "", kRegSz, Sz("0"), false}};
}

bool IsAdapterKey(const std::string& path, bool nt) {
  return nt ? (StartsWith(path, kHklm + kServices) && EndsWith(path, kTcpipSuffix)) ||
                  StartsWith(path, kHklm + vl::kInterfacesPrefix)
            : StartsWith(path, kHklm + kClass) || Same(path, kHklm + "System\\CurrentControlSet\\Services\\Class");
}

// The record of a change, kept before the change in the program's own key.
bool IsRecordWrite(const RegCall& c) {
  return c.op == RegOp::Set && Same(c.path, vl::kSettingsKey + "\\" + vl::kChangesSubkey) &&
         ((Same(c.name, "Last") && c.type == vl::kRegDword && c.data.size() == 4) ||
          (StartsWith(c.name, "Change ") && c.type == vl::kRegBinary));
}

const Expected* Find(const std::vector<Expected>& plan, const std::string& path,
                     const std::string& name, bool nt) {
  for (const Expected& e : plan) {
    if (!Same(e.name, name)) continue;
    if (e.key == "adapter" ? IsAdapterKey(path, nt) : Same(path, kHklm + e.key)) return &e;
  }
  return nullptr;
}

std::string Data(const RegCall& c) { return std::string(c.data.begin(), c.data.end()); }

// Every write is one of the plan's, and every delete follows its own write.
void CheckWrites(const vl::MemRegistry& reg, const std::vector<Expected>& plan, bool nt) {
  std::string lastSet;
  for (const RegCall& c : reg.Calls()) {
    if ((c.op != RegOp::Set && c.op != RegOp::Delete) || IsRecordWrite(c)) continue;
    const Expected* e = Find(plan, c.path, c.name, nt);
    FUZZ_REQUIRE(e != nullptr);
    if (c.op == RegOp::Set) {
      FUZZ_REQUIRE(c.type == e->type && Data(c) == e->data);
      lastSet = Lower(c.path + "|" + c.name);
    } else {
      FUZZ_REQUIRE(e->deleted && lastSet == Lower(c.path + "|" + c.name));
    }
  }
}

// After a run that claimed success: the global values stand as the plan says,
// and so do the values of every parameter key the run opened to write.
void CheckInPlace(const vl::MemRegistry& reg, const std::vector<Expected>& plan, bool nt,
                  bool ndiHidden) {
  std::vector<std::string> adapterKeys;
  for (const RegCall& c : reg.Calls())
    if (c.op == RegOp::Open && c.result == vl::kErrorSuccess && IsAdapterKey(c.path, nt) &&
        (c.access & vl::kKeySetValue) != 0)
      adapterKeys.push_back(c.path);
  for (const Expected& e : plan) {
    std::vector<std::string> keys =
        e.key == "adapter" ? adapterKeys : std::vector<std::string>{kHklm + e.key};
    for (const std::string& key : keys) {
      if (e.key == vl::kNdiCacheKey && (ndiHidden || !reg.HasKey(key))) continue;
      const vl::RegValue* v = reg.Get(key, e.name);
      if (e.deleted) {
        FUZZ_REQUIRE(v == nullptr);
      } else {
        FUZZ_REQUIRE(v != nullptr && v->type == e.type &&
                     std::string(v->data.begin(), v->data.end()) == e.data);
      }
    }
  }
}

// The walks look at indices 0 to 99 only.
void CheckIndices(const vl::MemRegistry& reg) {
  for (const RegCall& c : reg.Calls()) {
    if (c.op != RegOp::Open) continue;
    for (const std::string& prefix : {kHklm + kNet9x, kHklm + kNetCards}) {
      if (!StartsWith(c.path, prefix)) continue;
      const std::string rest = c.path.substr(prefix.size());
      const std::string index = rest.substr(0, rest.find('\\'));
      FUZZ_REQUIRE(!index.empty() && index.size() <= 4);
      int number = 0;
      for (char ch : index) {
        FUZZ_REQUIRE(ch >= '0' && ch <= '9');
        number = number * 10 + (ch - '0');
      }
      FUZZ_REQUIRE(number < 100);
    }
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

  vl::MemApp m;
  vl::MemRegistry& reg = m.reg;
  vl::MemMessageBoxes& boxes = m.boxes;
  vl::AppState& app = m.app;
  vl::FakeFormWindow form;
  app.m_strOsName = nt ? "2000" : "98";
  app.m_pFormView = &form;

  if (mode <= vl::ModeAutoLan) {
    vl::LoadAutoMode(app, static_cast<vl::ConfigMode>(mode));
  } else {
    app.m_nConfigMode = mode;
    vl::TuningSettings& t = app.m_tuning;
    t.m_strMaxMtu = in.CleanText();
    t.m_strMaxMss = in.CleanText();
    t.m_strTtl = in.CleanText();
    t.m_strRwinMultiple = in.CleanText();
    t.m_strKeepAlive = in.CleanText();
    t.m_strNdiCache = in.CleanText();
    CheckForm(form, in.Byte());
    form.SetText(IDC_RWIN_COMBO, in.CleanText());
    form.SetText(IDC_KEEPALIVE_COMBO, in.CleanText());
    form.SetText(IDC_NDI_COMBO, in.CleanText());
  }
  Build(in, reg);
  // A key that the failing call said was not there is, for the program, not
  // there: without the NDI key there is no cache to size.
  bool closeFailed = false;
  bool ndiHidden = false;
  bool denied = false;  // a call other than a close was refused
  size_t calls = 0;
  if (failingCall)
    reg.fault = [&](const RegCall& c) -> long {
      if (++calls != failingCall) return 0;
      closeFailed = c.op == RegOp::Close;
      denied = !closeFailed && status == vl::kErrorAccessDenied;
      ndiHidden = c.op == RegOp::Open && Same(c.path, kHklm + vl::kNdiCacheKey) &&
                  vl::IsAbsentStatus(status);
      return status;
    };

  if (operation == 0) {
    vl::RecordingApplyUi ui;
    vl::RunApplyCommand(app, ui, false);
    const bool claimed = !boxes.shown.empty() &&
                         boxes.shown.front().text == vl::RestartQuestion(app.m_strProductName);
    const std::vector<Expected> plan = Plan(app, nt, false);
    CheckWrites(reg, plan, nt);
    if (claimed) CheckInPlace(reg, plan, nt, ndiHidden);
    // A refused call is told as such, never as success or as no adapter.
    if (denied)
      FUZZ_REQUIRE(boxes.shown.front().text == vl::WriteFailedMessage(mode) ||
                   boxes.shown.front().text == vl::kChangeNotRecorded);
    // The automatic LAN question is never answered Yes here: nothing written.
    if (mode == vl::ModeAutoLan) FUZZ_REQUIRE(reg.Writes().empty());
  } else if (operation <= 2) {
    const bool asked = operation == 1;
    boxes.answers.push_back(vl::kIdYes);
    // Asked, it is the command of the main window; else the uninstall run's.
    const vl::WriteReport report =
        asked ? vl::RunRestoreCommand(app)
              : nt ? vl::RestoreDefaultsNt(reg, app.m_tuning) : vl::RestoreDefaults9x(reg, app.m_tuning);
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
      FUZZ_REQUIRE(b.index > last && b.index < 100);
      last = b.index;
      FUZZ_REQUIRE(key != 0);
      if (filter == vl::AdapterFilter::DialUp) FUZZ_REQUIRE(b.kind == vl::AdapterKind::DialUp);
      if (filter == vl::AdapterFilter::Lan) FUZZ_REQUIRE(b.kind == vl::AdapterKind::Lan);
    };
    const vl::WalkOutcome walk =
        nt ? vl::WalkAdaptersNt(reg, filter, action) : vl::WalkAdapters9x(reg, filter, action);
    FUZZ_REQUIRE(walk.adapters <= 100);
    if (denied) FUZZ_REQUIRE(walk.troubled);
    FUZZ_REQUIRE(reg.Writes().empty());
    vl::TakeAdapterCensus(reg, app.m_strOsName);
  }
  CheckIndices(reg);
  if (!closeFailed) FUZZ_REQUIRE(reg.OpenHandles() == 0);
  return 0;
}
