// Placeholder until the settings issue lands.
#include "settings/settings_store.h"

#include "platform/registry.h"

namespace vl {
const char kNotFoundSentinel[] = "Net-Guard-On by Fallow Systems";
std::string Scramble(const std::string& text, bool) { return text; }
std::string Unscramble(const std::string& encoded) { return encoded; }

std::string SettingsStore::ReadString(const std::string& subkey, const std::string& name,
                                      const std::string& def, bool) {
  ScopedKey key(*m_registry);
  if (m_registry->OpenKey(kHkeyLocalMachine, m_strBaseKey + "\\" + subkey, kKeyRead,
                          key.Receive()) != kErrorSuccess)
    return def;
  std::string text;
  if (QueryText(*m_registry, key.get(), name, kSettingsBufferSize, &text) != kErrorSuccess)
    return def;
  return text;
}
int SettingsStore::ReadInt(const std::string&, const std::string&, int def, bool) { return def; }
bool SettingsStore::WriteString(const std::string&, const std::string&, const std::string&, bool) {
  return false;
}
bool SettingsStore::WriteInt(const std::string&, const std::string&, int, bool) { return false; }
}  // namespace vl
