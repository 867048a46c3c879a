#include "app/os_detect.h"

#include "platform/registry.h"
#include "platform/text.h"

namespace vl {

namespace {

constexpr char kWindowsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kWindowsNtKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr uint32_t kProductNameBuffer = 1000;

}  // namespace

std::string DetectOsName(IRegistry& reg) {
  std::string product;
  ScopedKey key(reg);
  if (reg.OpenKey(kHkeyLocalMachine, kWindowsKey, kKeyRead, key.Receive()) == kErrorSuccess) {
    // Once the Windows key opens, its answer stands, even when it has no
    // product name: the NT key is for machines without this key.
    if (QueryText(reg, key.get(), "ProductName", kProductNameBuffer, &product) != kErrorSuccess)
      return "NT";
    return product.size() < 2 ? product : product.substr(product.size() - 2);
  }
  if (reg.OpenKey(kHkeyLocalMachine, kWindowsNtKey, kKeyRead, key.Receive()) == kErrorSuccess &&
      QueryText(reg, key.get(), "ProductName", kProductNameBuffer, &product) == kErrorSuccess)
    return "2000";
  return "NT";
}

bool IsNtFamily(const std::string& osName) { return osName == "NT" || osName == "2000"; }

bool TunesReceiveWindowItself(IRegistry& reg, const std::string& osName) {
  if (!IsNtFamily(osName)) return false;
  // "4.0" on NT 4, "5.0" on 2000, "5.1" on XP, "6.0" on Vista; later Windows
  // keep "6.x" here whatever their own number.
  std::string version;
  ScopedKey key(reg);
  return reg.OpenKey(kHkeyLocalMachine, kWindowsNtKey, kKeyRead, key.Receive()) == kErrorSuccess &&
         QueryText(reg, key.get(), "CurrentVersion", kProductNameBuffer, &version) ==
             kErrorSuccess &&
         Atoi(version) >= 6;
}

}  // namespace vl
