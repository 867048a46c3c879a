#include "settings/settings_store.h"

#include <cstdlib>

#include "platform/registry.h"
#include "platform/text.h"

namespace vl {

const char kSettingsBaseKey[] = "SOFTWARE\\Norwick Ltd\\Velora 2001";
const char kNotFoundSentinel[] = "Net-Guard-On by Fallow Systems";

namespace {

// Every scrambled value is padded up to a multiple of this many letters, so
// that its length says little about the setting it hides.
constexpr size_t kScrambleBlock = 23;
constexpr unsigned kPrefixUnit = 16;

char Letter(unsigned nibble) { return static_cast<char>('A' + nibble); }

// A letter's distance from A, for any byte: letters outside A to P still
// decode to a defined value instead of being rejected.
unsigned Distance(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - 'A'; }

}  // namespace

std::string Scramble(const std::string& text, bool pad) {
  if (text.empty()) return std::string();
  const size_t n = text.size();
  std::string out(n / kPrefixUnit, 'Q');
  out += Letter(n % kPrefixUnit);
  out.reserve(out.size() + 2 * n + kScrambleBlock);
  for (char c : text) {
    unsigned byte = static_cast<unsigned char>(c);
    out += Letter(byte & 0x0F);
    out += Letter(byte >> 4);
  }
  if (pad)
    while (out.size() % kScrambleBlock != 0) out += Letter(static_cast<unsigned>(std::rand()) % 16);
  return out;
}

std::string Unscramble(const std::string& encoded) {
  std::string out;
  size_t pos = 0;
  // A hostile prefix can announce any count; decoding stays bounded by the
  // letters that actually follow it.
  long long announced = 0;
  while (pos < encoded.size() && encoded[pos] == 'Q') {
    announced += kPrefixUnit;
    ++pos;
  }
  if (pos >= encoded.size()) return out;
  announced += static_cast<int>(static_cast<unsigned char>(encoded[pos++])) - 'A';
  while (static_cast<long long>(out.size()) < announced && encoded.size() - pos >= 2) {
    unsigned low = Distance(encoded[pos]);
    unsigned high = Distance(encoded[pos + 1]);
    out += static_cast<char>((low | (high * 16)) & 0xFF);
    pos += 2;
  }
  return out;
}

std::string SettingsStore::ReadString(const std::string& subkey, const std::string& name,
                                      const std::string& def, bool scrambled) {
  const std::string keyName = scrambled ? Scramble(subkey, false) : subkey;
  const std::string valueName = scrambled ? Scramble(name, false) : name;
  ScopedKey key(*m_registry);
  if (m_registry->OpenKey(kHkeyLocalMachine, m_strBaseKey + "\\" + keyName, kKeyRead,
                          key.Receive()) != kErrorSuccess)
    return def;
  std::string text;
  uint32_t type = kRegNone;
  // The read never goes past the data: a value without its NUL ends where the
  // data ends, one longer than the buffer fails like an absent one.
  if (QueryText(*m_registry, key.get(), valueName, kSettingsBufferSize, &text, &type) !=
      kErrorSuccess)
    return def;
  key.Close();
  if (type != kRegSz) return std::string();
  return scrambled ? Unscramble(text) : text;
}

int SettingsStore::ReadInt(const std::string& subkey, const std::string& name, int def,
                           bool scrambled) {
  const std::string text = ReadString(subkey, name, kNotFoundSentinel, scrambled);
  if (text == kNotFoundSentinel) return def;
  return Atoi(text);
}

bool SettingsStore::WriteString(const std::string& subkey, const std::string& name,
                                const std::string& text, bool scrambled) {
  const std::string keyName = scrambled ? Scramble(subkey, false) : subkey;
  const std::string valueName = scrambled ? Scramble(name, false) : name;
  const std::string data = scrambled ? Scramble(text, true) : text;
  // Readers use a buffer of this size; a longer value could never be read
  // back, so it is refused rather than stored.
  if (data.size() + 1 > kSettingsBufferSize) return false;
  ScopedKey key(*m_registry);
  if (m_registry->CreateKey(kHkeyLocalMachine, m_strBaseKey + "\\" + keyName,
                            kRegOptionNonVolatile, kKeyAllAccess, key.Receive()) != kErrorSuccess)
    return false;
  return SetSz(*m_registry, key.get(), valueName, data) == kErrorSuccess;
}

bool SettingsStore::WriteInt(const std::string& subkey, const std::string& name, int value,
                             bool scrambled) {
  return WriteString(subkey, name, std::to_string(value), scrambled);
}

}  // namespace vl
