// The manual controls under any sequence of typing, clicks and list picks,
// followed by the Apply: whatever was typed, the two custom edits only ever
// keep empty text or up to five digits, the MSS always goes with the MTU,
// the lists keep their own items, and the Apply either refuses with its
// message or writes exactly the numbers the form shows.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_app.h"
#include "fuzz_input.h"
#include "platform/text.h"
#include "tests/unit/kit/fake_form.h"
#include "tuning/apply_command.h"

namespace {

using vl::AppState;

const char kTcpipParameters[] = "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const char kNetCards[] = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";

std::string Tcpip(const std::string& service) {
  return "HKLM\\SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters\\Tcpip";
}

// A card under NetworkCards with a service whose Parameters\Tcpip key takes
// the MTU.
void AddCard(fuzz::FastRegistry& reg, int index, const std::string& title,
             const std::string& service) {
  reg.PutSz(kNetCards + std::to_string(index), "Title", title);
  reg.PutSz(kNetCards + std::to_string(index), "ServiceName", service);
  reg.AddKey(Tcpip(service));
}

// A REG_DWORD value, or -1 when absent or of another type.
long long Dword(const fuzz::FastRegistry& reg, const std::string& path, const std::string& name) {
  const fuzz::Value* v = reg.Get(path, name);
  if (!v || v->type != vl::kRegDword || v->data.size() != 4) return -1;
  uint32_t n = 0;
  for (int i = 3; i >= 0; --i) n = n << 8 | static_cast<uint8_t>(v->data[i]);
  return n;
}

// The form on its stand-in window, over the fuzz application, on an NT
// machine with one card of each kind. Made once: after each input it goes
// back to copies of its first state, which reuse the room the input took.
struct Bench : fuzz::FuzzApp {
  Bench() {
    app.m_pFormView = &window;
    app.m_strOsName = "NT";
    reg.AddKey(kTcpipParameters);
    AddCard(reg, 0, "Intel EtherExpress PRO Adapter", "E100B");
    AddCard(reg, 1, "Remote Access WAN Wrapper", "NdisWan");
    Keep();
    firstWindow = window;
  }
  void Reset() {
    // A control first touched by an input stays in the first state from
    // then on, as made by default: just what the window takes a control it
    // has not met for. The next copy then reuses its room.
    for (const auto& control : window.c) firstWindow.c.try_emplace(control.first);
    FuzzApp::Reset();
    window = firstWindow;
  }
  vl::FakeFormWindow window;
  vl::FakeFormWindow firstWindow;
};

bool IsNumberText(const std::string& t) {
  if (t.size() > 5) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

bool OneOf(const std::string& value, const std::vector<std::string>& allowed) {
  for (const std::string& a : allowed)
    if (a == value) return true;
  return false;
}

void CheckState(const Bench& b, const vl::FormController& form) {
  const AppState& app = b.app;
  FUZZ_REQUIRE(IsNumberText(vl::TrimBlanks(b.window.GetText(IDC_MTU_EDIT))));
  FUZZ_REQUIRE(IsNumberText(vl::TrimBlanks(b.window.GetText(IDC_TTL_EDIT))));
  FUZZ_REQUIRE(IsNumberText(form.m_strLastMtu) && IsNumberText(form.m_strLastTtl));
  const vl::TuningSettings& t = app.m_tuning;
  FUZZ_REQUIRE(IsNumberText(t.m_strMaxMtu) && IsNumberText(t.m_strTtl));
  FUZZ_REQUIRE(t.m_strMaxMss ==
               (t.m_strMaxMtu.empty() ? "" : std::to_string(vl::Atoi(t.m_strMaxMtu) - 40)));
  static const std::vector<std::string> rwin = [] {
    std::vector<std::string> items = vl::RwinItems();
    items.push_back("x0");  // the Windows default, no item of the list
    return items;
  }();
  static const std::vector<std::string> keepAlive = vl::KeepAliveItems();
  static const std::vector<std::string> ndi = vl::NdiItems();
  FUZZ_REQUIRE(OneOf(t.m_strRwinMultiple, rwin));
  FUZZ_REQUIRE(OneOf(t.m_strKeepAlive, keepAlive));
  FUZZ_REQUIRE(OneOf(t.m_strNdiCache, ndi));
  for (const vl::ShownBox& box : b.boxes.shown) FUZZ_REQUIRE(box.text == vl::kInvalidNumber);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  static Bench b;
  vl::FormController form(b.app, b.window);
  b.window.form = &form;
  // A machine with both kinds of adapter: the dialog asks which to configure.
  using Fake = vl::FakeFormWindow;
  const vl::AutoModeAnswer answers[] = {Fake::Asked(true), Fake::Asked(false), Fake::Escape()};
  b.window.dialogAnswer = answers[in.Byte() % 3];
  form.OnModeManual();

  const int lists[] = {IDC_RWIN_COMBO, IDC_KEEPALIVE_COMBO, IDC_NDI_COMBO};
  while (!in.empty()) {
    const uint8_t op = in.Byte();
    switch (op % 6) {
      case 0: b.window.Type(IDC_MTU_EDIT, in.CleanText()); break;
      case 1: b.window.Type(IDC_TTL_EDIT, in.CleanText()); break;
      case 2: {
        const vl::GroupControls& g = vl::kSettingGroups[(op / 6) % 5];
        b.window.Click(g.radios[in.Byte() % 3]);
        break;
      }
      case 3: b.window.Type(lists[(op / 6) % 3], in.CleanText()); break;
      case 4: {
        const int list = lists[(op / 6) % 3];
        b.window.PickItem(list, in.Byte() % static_cast<int>(b.window.c[list].items.size()));
        break;
      }
      default: {
        const int box = op & 0x80 ? IDC_PMTU_DISCOVERY : IDC_PMTU_BLACKHOLE;
        b.window.SetCheck(box, !b.window.IsChecked(box));
        break;
      }
    }
    CheckState(b, form);
  }

  // The Apply on the NT machine.
  const AppState& app = b.app;
  const fuzz::FastRegistry& reg = b.reg;
  b.boxes.shown.clear();
  fuzz::QuietUi ui;
  vl::RunApplyCommand(b.app, ui, vl::ApplyOrigin::Menu);

  FUZZ_REQUIRE(!b.boxes.shown.empty());
  const std::string first = b.boxes.shown.front().text;
  const vl::TuningSettings& t = app.m_tuning;
  const int mtu = vl::Atoi(t.m_strMaxMtu);
  if (t.m_strMaxMtu.empty()) FUZZ_REQUIRE(first == vl::kInvalidMtuEmpty);
  else if (t.m_strTtl.empty()) FUZZ_REQUIRE(first == vl::kInvalidTtlEmpty);
  else if (mtu < 40) FUZZ_REQUIRE(first == vl::kInvalidMtuLow);
  else FUZZ_REQUIRE(first == vl::RestartQuestion(app.m_strProductName));

  const bool dialUp = app.m_nConfigMode == vl::ModeManualDialUp;
  const std::string chosen = Tcpip(dialUp ? "NdisWan" : "E100B");
  const std::string other = Tcpip(dialUp ? "E100B" : "NdisWan");
  if (first == vl::RestartQuestion(app.m_strProductName)) {
    FUZZ_REQUIRE(Dword(reg, chosen, "MTU") == mtu);
    FUZZ_REQUIRE(Dword(reg, kTcpipParameters, "DefaultTTL") == vl::Atoi(t.m_strTtl));
  } else {
    FUZZ_REQUIRE(reg.writes.empty());
  }
  FUZZ_REQUIRE(reg.Get(other, "MTU") == nullptr);
  FUZZ_REQUIRE(reg.OpenHandles() == 0);
  // At the end, not the start: what this input made is freed with it.
  b.Reset();
  return 0;
}
