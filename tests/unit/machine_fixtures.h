// In-memory Windows 98 and Windows NT 4/2000 machines for the tuning
// engine's tests: the adapter keys the walks look for, the global TCP/IP
// keys the writers open, and a form with plain values.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/mem/mem_registry.h"
#include "platform/mem/mem_system.h"
#include "tuning/form_controls.h"

namespace vl {
namespace machines {

inline const std::string kHklm = "HKLM\\";
inline const std::string kMstcp = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
inline const std::string kNdiCache =
    "HKLM\\System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
inline const std::string kClass = "HKLM\\System\\CurrentControlSet\\Services\\Class\\";
inline const std::string kNetCards =
    "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";
inline const std::string kTcpipParameters =
    "HKLM\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

inline std::string Tcpip(const std::string& service) {
  return "HKLM\\SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters\\Tcpip";
}

// The form's controls as plain values.
class FakeForm : public IFormControls {
 public:
  bool IsChecked(int id) const override {
    auto it = checked.find(id);
    return it != checked.end() && it->second;
  }
  std::string GetText(int id) const override {
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
  }
  void SetCheck(int id, bool on) override { checked[id] = on; }

  std::map<int, bool> checked;
  std::map<int, std::string> texts;
};

// A Set or Delete of the call log as one line: the key, the value name in
// brackets and, for a Set, the data decoded by type. A REG_SZ shows as a
// quoted text only when its bytes are the text and exactly one final NUL; a
// REG_DWORD as a number only when it has exactly four bytes.
inline std::string DescribeData(uint32_t type, const std::vector<uint8_t>& data) {
  if (type == kRegSz && !data.empty() && data.back() == 0) {
    std::string text(data.begin(), data.end() - 1);
    if (text.find('\0') == std::string::npos) return "\"" + text + "\"";
  }
  if (type == kRegDword && data.size() == 4) {
    uint32_t v = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    return std::to_string(v);
  }
  return "type " + std::to_string(type) + " with " + std::to_string(data.size()) + " bytes";
}

inline std::vector<std::string> Changes(const MemRegistry& reg) {
  std::vector<std::string> out;
  for (const RegCall& c : reg.Calls()) {
    if (c.result != kErrorSuccess) continue;
    if (c.op == RegOp::Set)
      out.push_back("Set " + c.path + " [" + c.name + "] = " + DescribeData(c.type, c.data));
    if (c.op == RegOp::Delete) out.push_back("Delete " + c.path + " [" + c.name + "]");
  }
  return out;
}

// What every machine shares: the application state wired to the in-memory
// platform, with the product name as start-up sets it.
class TuningMachine : public ::testing::Test {
 protected:
  TuningMachine() {
    app.sys.registry = &reg;
    app.sys.boxes = &boxes;
    app.m_strProductName = "Velora 2001";
  }
  void TearDown() override { EXPECT_EQ(0u, reg.OpenHandles()) << "a key was left open"; }

  MemRegistry reg;
  MemMessageBoxes boxes;
  FakeForm form;
  AppState app;
};

// Windows 98: adapters under Enum\Root\Net, each bound to TCP/IP through
// Enum\Network\MSTCP\nnnn to its class key NetTrans\nnnn; the MSTCP and NDI
// cache keys exist.
class Tuning98Machine : public TuningMachine {
 protected:
  Tuning98Machine() {
    app.m_strOsName = "98";
    reg.AddKey(kMstcp);
    reg.PutSz(kNdiCache, "", "0");
  }
  static std::string Four(int n) { return (n < 10 ? "000" : "00") + std::to_string(n); }
  static std::string AdapterKey(int index) { return kHklm + "Enum\\Root\\Net\\" + Four(index); }
  static std::string BindingKey(int index) { return kClass + "NetTrans\\" + Four(index); }

  // An adapter at `index` whose Bindings key names "MSTCP\" + four digits of
  // `binding` (by default the adapter's own index).
  void AddAdapter(int index, const std::string& description, int binding = -1) {
    if (binding < 0) binding = index;
    reg.PutSz(AdapterKey(index), "DeviceDesc", description);
    reg.PutSz(AdapterKey(index) + "\\Bindings", "MSTCP\\" + Four(binding), "");
    reg.PutSz(kHklm + "Enum\\Network\\MSTCP\\" + Four(binding), "Driver",
              "NetTrans\\" + Four(index));
    reg.PutSz(BindingKey(index), "DriverDesc", "TCP/IP");
  }
};

// Windows NT 4/2000: cards under NetworkCards with a service whose
// Parameters\Tcpip key takes the MTU; the global Tcpip parameters exist.
class TuningNtMachine : public TuningMachine {
 protected:
  TuningNtMachine() {
    app.m_strOsName = "NT";
    reg.AddKey(kTcpipParameters);
  }
  void AddCard(int index, const std::string& title, const std::string& service) {
    reg.PutSz(kNetCards + std::to_string(index), "Title", title);
    reg.PutSz(kNetCards + std::to_string(index), "ServiceName", service);
    reg.AddKey(Tcpip(service));
  }
};

}  // namespace machines
}  // namespace vl
