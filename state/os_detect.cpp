#include "state/os_detect.h"

#include <vector>

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

WindowsVersion DetectWindowsVersion(IRegistry& reg) {
  ScopedKey key(reg);
  if (reg.OpenKey(kHkeyLocalMachine, kWindowsNtKey, kKeyRead, key.Receive()) != kErrorSuccess)
    return WindowsVersion::Nt4;
  uint32_t type = kRegNone;
  std::vector<uint8_t> major;
  if (QueryRaw(reg, key.get(), "CurrentMajorVersionNumber", 4, &type, &major) == kErrorSuccess &&
      type == kRegDword && major.size() == 4 &&
      (major[0] | major[1] << 8 | major[2] << 16 | static_cast<uint32_t>(major[3]) << 24) >= 6)
    return WindowsVersion::Vista;
  // "4.0" on NT 4, "5.0" on 2000, "5.1" on XP, "5.2" on Server 2003 and XP
  // x64, "6.0" on Vista, "6.1" to "6.3" on 7 to 11.
  std::string version;
  if (QueryText(reg, key.get(), "CurrentVersion", kProductNameBuffer, &version) != kErrorSuccess)
    return WindowsVersion::Nt4;
  const int majorNumber = Atoi(version);
  const size_t dot = version.find('.');
  const int minorNumber = dot == std::string::npos ? 0 : Atoi(version.substr(dot + 1));
  if (majorNumber >= 6) return WindowsVersion::Vista;
  if (majorNumber == 5) return minorNumber == 0 ? WindowsVersion::Windows2000 : WindowsVersion::WindowsXp;
  return WindowsVersion::Nt4;
}

}  // namespace vl
