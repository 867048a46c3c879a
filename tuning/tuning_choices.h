// The values and descriptions of the two automatic modes, and choosing one.
#pragma once
#include "state/choices.h"

namespace vl {

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
