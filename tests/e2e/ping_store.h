// The companion's ping settings as the Wine suites read and seed them: the
// settings store's letter code written out on its own, so that the tests do
// not take the program's word for it.
#pragma once
#include <string>

#include "tests/e2e/harness.h"

namespace e2e {

// A length prefix of Q's and one letter, then each byte as two letters, low
// half first.
inline std::string ScrambleUnpadded(const std::string& text) {
  if (text.empty()) return text;
  std::string out(text.size() / 16, 'Q');
  out += static_cast<char>('A' + text.size() % 16);
  for (unsigned char c : text) {
    out += static_cast<char>('A' + (c & 15));
    out += static_cast<char>('A' + (c >> 4));
  }
  return out;
}

inline std::string Unscramble(const std::string& code) {
  size_t pos = 0, length = 0;
  while (pos < code.size() && code[pos] == 'Q') {
    length += 16;
    ++pos;
  }
  if (pos >= code.size()) return "";
  length += code[pos++] - 'A';
  std::string out;
  while (out.size() < length && pos + 1 < code.size()) {
    out += static_cast<char>((code[pos] - 'A') | ((code[pos + 1] - 'A') << 4));
    pos += 2;
  }
  return out;
}

inline std::string PingKey() {
  return std::string(kBaseKey) + "\\" + ScrambleUnpadded("UndoRegular");
}

// Stores the five values as the Ping Configuration dialog would (without its
// random padding, which readers ignore).
inline void SeedPingSettings(const std::string& mode, const std::string& host, int interval,
                             int sound, int taskBarAni) {
  const std::pair<const char*, std::string> values[] = {
      {"PingMode", mode},
      {"PingHost", host},
      {"PingInterval", std::to_string(interval)},
      {"PingSound", std::to_string(sound)},
      {"TaskBarAni", std::to_string(taskBarAni)},
  };
  for (const auto& [name, text] : values)
    SetSz(PingKey(), ScrambleUnpadded(name), ScrambleUnpadded(text));
}

}  // namespace e2e
