// The configuration modes and the tuning values a mode chooses: what the
// form sets, the Apply validates, the writers write and the status bar names.
#pragma once
#include <cstdint>
#include <string>

namespace vl {

enum ConfigMode {
  ModeAutoDialUp = 0,
  ModeAutoLan = 1,
  ModeManual = 2,
  ModeManualDialUp = 3,
  ModeManualLan = 4,
  ModeNone = 1000,
};

// The chosen values as the form shows them and the writers write them. The
// numbers the user chooses stay decimal texts until written; the two numbers
// here are what the last write or restore computed from them.
struct TuningSettings {
  std::string m_strMaxMtu;
  std::string m_strMaxMss;
  std::string m_strTtl;
  std::string m_strRwinMultiple;
  uint32_t m_dwRcvWindow = 0;
  std::string m_strKeepAlive;
  uint32_t m_dwKeepAliveMs = 0;
  std::string m_strNdiCache;
};

// The mode's name as the status bar's mode pane shows it, blanks included;
// empty for no mode.
std::string ModePaneText(int configMode);

}  // namespace vl
