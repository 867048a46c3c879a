// Configuration modes and the values of the two automatic modes.
#pragma once
#include <cstdlib>
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

// atoi as the C library does it: leading white space, an optional sign,
// decimal digits up to the first other character, 0 without digits.
// Overflow wraps like a 32-bit int instead of being undefined.
int Atoi(const std::string& text);

}  // namespace vl
