// The manual controls under any sequence of typing, clicks and list picks,
// followed by the Apply: whatever was typed, the two custom edits only ever
// keep empty text or up to five digits, the MSS always goes with the MTU,
// the lists keep their own items, and the Apply either refuses with its
// message or writes exactly the numbers the form shows.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "platform/text.h"
#include "tests/unit/kit/fake_form.h"
#include "tests/unit/kit/machines.h"
#include "tests/unit/kit/recording_apply_ui.h"
#include "tuning/apply_command.h"

namespace {

using vl::AppState;
using vl::machines::kTcpipParameters;
using vl::machines::Tcpip;

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

void CheckState(vl::FormBench& b) {
  const AppState& app = b.app;
  FUZZ_REQUIRE(IsNumberText(vl::TrimBlanks(b.window.GetText(IDC_MTU_EDIT))));
  FUZZ_REQUIRE(IsNumberText(vl::TrimBlanks(b.window.GetText(IDC_TTL_EDIT))));
  FUZZ_REQUIRE(IsNumberText(b.form.m_strLastMtu) && IsNumberText(b.form.m_strLastTtl));
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
  vl::FormBench b;
  // A machine with both kinds of adapter: the dialog asks which to configure.
  using Fake = vl::FakeFormWindow;
  const vl::AutoModeAnswer answers[] = {Fake::Asked(true), Fake::Asked(false), Fake::Escape()};
  b.window.dialogAnswer = answers[in.Byte() % 3];
  b.form.OnModeManual();

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
    CheckState(b);
  }

  // The Apply on an NT machine with one card of each kind.
  vl::machines::WindowsNt(b);
  vl::machines::AddCard(b.reg, 0, "Intel EtherExpress PRO Adapter", "E100B");
  vl::machines::AddCard(b.reg, 1, "Remote Access WAN Wrapper", "NdisWan");
  const AppState& app = b.app;
  const vl::MemRegistry& reg = b.reg;
  b.boxes.shown.clear();
  vl::RecordingApplyUi ui;
  vl::RunApplyCommand(b.app, ui, false);

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
    FUZZ_REQUIRE(reg.GetDword(chosen, "MTU") == mtu);
    FUZZ_REQUIRE(reg.GetDword(kTcpipParameters, "DefaultTTL") == vl::Atoi(t.m_strTtl));
  } else {
    FUZZ_REQUIRE(reg.Writes().empty());
  }
  FUZZ_REQUIRE(reg.Get(other, "MTU") == nullptr);
  FUZZ_REQUIRE(reg.OpenHandles() == 0);
  return 0;
}
