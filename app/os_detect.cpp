#include "app/os_detect.h"

#include "app/app_state.h"
#include "platform/registry.h"

namespace vl {

namespace {

constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kWindowsNtKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr uint32_t kProductNameBuffer = 1000;

}  // namespace

void DetectOsName(AppState& app) {
  IRegistry& reg = *app.sys.registry;
  app.m_strOsName = "NT";
  std::string product;
  ScopedKey key(reg);
  if (reg.OpenKey(kHkeyLocalMachine, kWindowsKey, kKeyRead, key.Receive()) == kErrorSuccess) {
    // Once the Windows key opens, its answer stands, even when it has no
    // product name: the NT key is for machines without this key.
    if (QueryText(reg, key.get(), "ProductName", kProductNameBuffer, &product) == kErrorSuccess)
      app.m_strOsName = product.size() < 2 ? product : product.substr(product.size() - 2);
    return;
  }
  if (reg.OpenKey(kHkeyLocalMachine, kWindowsNtKey, kKeyRead, key.Receive()) != kErrorSuccess)
    return;
  app.m_strOsName = "NT";
  if (QueryText(reg, key.get(), "ProductName", kProductNameBuffer, &product) == kErrorSuccess)
    app.m_strOsName = "2000";
}

bool IsNtFamily(const std::string& osName) { return osName == "NT" || osName == "2000"; }

}  // namespace vl
