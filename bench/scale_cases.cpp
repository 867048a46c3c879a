#include "bench/scale_cases.h"

#include "settings/settings_store.h"
#include "tuning/recorded_change.h"
#include "tuning/restore.h"
#include "tuning/tuning_choices.h"
#include "tuning/writers.h"

namespace bench {

namespace {

const char kNet9x[] = "Enum\\Root\\Net\\";
const char kNetwork[] = "Enum\\Network\\MSTCP\\";
const char kClass[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
const char kMstcp[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
const char kNdi[] = "System\\CurrentControlSet\\Services\\VxD\\NWLink\\Ndi\\params\\cachesize";
const char kCards[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards\\";
const char kServices[] = "SYSTEM\\CurrentControlSet\\Services\\";
const char kTcpip[] = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";

std::string ServiceName(int index) { return "VlBench" + std::to_string(index); }

// Creates the key (and its parents) and sets the text values given.
void Put(vl::IRegistry& reg, const std::string& path,
         const std::vector<std::pair<std::string, std::string>>& texts,
         uint32_t options = vl::kRegOptionNonVolatile) {
  vl::ScopedKey key(reg);
  if (reg.CreateKey(vl::kHkeyLocalMachine, path, options, vl::kKeyAllAccess, key.Receive()) !=
      vl::kErrorSuccess)
    return;
  for (const auto& t : texts) vl::SetSz(reg, key.get(), t.first, t.second);
}

}  // namespace

const std::vector<Operation>& AllOperations() {
  static const std::vector<Operation> all = {Operation::Apply9x, Operation::ApplyNt,
                                             Operation::Restore9x, Operation::RestoreNt};
  return all;
}

const char* Name(Operation op) {
  switch (op) {
    case Operation::Apply9x: return "apply9x";
    case Operation::ApplyNt: return "applyNt";
    case Operation::Restore9x: return "restore9x";
    case Operation::RestoreNt: return "restoreNt";
  }
  return "?";
}

bool IsNtFamily(Operation op) { return op == Operation::ApplyNt || op == Operation::RestoreNt; }

std::string FourDigits(int index) { return (index < 10 ? "000" : "00") + std::to_string(index); }

void SeedMachine9x(vl::IRegistry& reg, int adapters) {
  for (int i = 0; i < adapters && i < kMaxAdapters; ++i) {
    const std::string four = FourDigits(i);
    Put(reg, kNet9x + four, {{"DeviceDesc", "Bench Ethernet Adapter #" + std::to_string(i)}});
    Put(reg, kNet9x + four + "\\Bindings", {{"MSTCP\\" + four, ""}});
    Put(reg, kNetwork + four, {{"Driver", "NetTrans\\" + four}});
    Put(reg, kClass + four, {{"DriverDesc", "TCP/IP"}});
  }
  Put(reg, kMstcp, {});
  Put(reg, kNdi, {{"", "0"}});
}

void SeedMachineNt(vl::IRegistry& reg, int adapters, bool volatileCards) {
  for (int i = 0; i < adapters && i < kMaxAdapters; ++i) {
    Put(reg, kCards + std::to_string(i),
        {{"Title", "[" + std::to_string(i) + "] Bench Ethernet Adapter"},
         {"ServiceName", ServiceName(i)}},
        volatileCards ? vl::kRegOptionVolatile : vl::kRegOptionNonVolatile);
    Put(reg, kServices + ServiceName(i) + "\\Parameters\\Tcpip", {});
  }
  Put(reg, kTcpip, {});
}

void SeedMachine(vl::IRegistry& reg, Operation op, int adapters, bool volatileCards) {
  if (IsNtFamily(op))
    SeedMachineNt(reg, adapters, volatileCards);
  else
    SeedMachine9x(reg, adapters);
}

std::vector<std::string> MachineKeys(Operation op) {
  std::vector<std::string> keys;
  for (int i = 0; i < kMaxAdapters; ++i) {
    if (IsNtFamily(op)) {
      keys.push_back(kCards + std::to_string(i));
      keys.push_back(kServices + ServiceName(i) + "\\Parameters\\Tcpip");
      keys.push_back(kServices + ServiceName(i) + "\\Parameters");
      keys.push_back(kServices + ServiceName(i));
    } else {
      const std::string four = FourDigits(i);
      keys.push_back(kNet9x + four + "\\Bindings");
      keys.push_back(kNet9x + four);
      keys.push_back(kNetwork + four);
      keys.push_back(kClass + four);
    }
  }
  return keys;
}

void PrepareApp(vl::AppState& app, Operation op) {
  app.m_strOsName = IsNtFamily(op) ? "NT" : "98";
  app.m_strProductName = "Velora 2001";
  app.m_settings.SetBaseKey(vl::kSettingsBaseKey);  // where the change history lies
  vl::LoadAutoMode(app, vl::ModeAutoLan);
  app.m_nConfigMode = vl::ModeAutoLan;
}

vl::WriteReport Run(vl::AppState& app, Operation op) {
  vl::IRegistry& reg = *app.sys.registry;
  const int mode = app.m_nConfigMode;
  switch (op) {
    case Operation::Apply9x: return vl::ApplySettings9x(reg, mode, app.m_tuning, nullptr);
    case Operation::ApplyNt: return vl::ApplySettingsNt(reg, mode, app.m_tuning, nullptr);
    case Operation::Restore9x: return vl::RestoreDefaults9x(reg, app.m_tuning);
    case Operation::RestoreNt: return vl::RestoreDefaultsNt(reg, app.m_tuning);
  }
  return {};
}

vl::WriteReport RunRecorded(vl::AppState& app, Operation op) {
  vl::ChangeRecord change;
  const bool restore = op == Operation::Restore9x || op == Operation::RestoreNt;
  change.kind = restore ? vl::ChangeKind::Restore : vl::ChangeKind::Apply;
  change.mode = restore ? 0 : app.m_nConfigMode;
  return vl::RunRecordedChange(app, change, [&](vl::IRegistry& reg) {
    vl::IRegistry* plain = app.sys.registry;
    app.sys.registry = &reg;
    const vl::WriteReport report = Run(app, op);
    app.sys.registry = plain;
    return report;
  });
}

}  // namespace bench
