// The program's own settings under HKEY_LOCAL_MACHINE\<base key>\<subkey>,
// every value REG_SZ, optionally scrambled.
#pragma once
#include <string>

namespace vl {

class IRegistry;

// The settings' key below HKEY_LOCAL_MACHINE, shared by the program and its
// companion.
extern const char kSettingsBaseKey[];  // "SOFTWARE\Norwick Ltd\Velora 2001"
extern const char kNotFoundSentinel[];  // "Net-Guard-On by Fallow Systems"
constexpr unsigned kSettingsBufferSize = 1000;

std::string Scramble(const std::string& text, bool pad);
std::string Unscramble(const std::string& encoded);

class SettingsStore {
 public:
  void Attach(IRegistry* registry) { m_registry = registry; }
  void SetBaseKey(const std::string& baseKey) { m_strBaseKey = baseKey; }
  const std::string& BaseKey() const { return m_strBaseKey; }

  std::string ReadString(const std::string& subkey, const std::string& name,
                         const std::string& def, bool scrambled);
  int ReadInt(const std::string& subkey, const std::string& name, int def, bool scrambled);
  bool WriteString(const std::string& subkey, const std::string& name, const std::string& text,
                   bool scrambled);
  bool WriteInt(const std::string& subkey, const std::string& name, int value, bool scrambled);

 private:
  IRegistry* m_registry = nullptr;
  std::string m_strBaseKey;
};

}  // namespace vl
