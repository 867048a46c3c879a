// Configuration modes, the tuning values they choose and the values of the
// two automatic modes.
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

// The six texts an automatic mode loads.
struct AutoColumn {
  const char* maxMtu;
  const char* maxMss;
  const char* ttl;
  const char* rwinMultiple;
  const char* keepAlive;
  const char* ndiCache;
};

extern const AutoColumn kAutoDialUpValues;
extern const AutoColumn kAutoLanValues;

extern const char kDescAutoDialUp[];  // "Dial-Up Networking (Modem) - Automatically Configured"
extern const char kDescAutoLan[];     // "Local Area Networking (LAN) - Automatically Configured"
extern const char kDescManual[];      // "Networking Performance - Manual Configured"

struct AppState;
// Sets the mode, the description and the six texts of an automatic mode, as
// choosing its radio does.
void LoadAutoMode(AppState& app, ConfigMode mode);

}  // namespace vl
