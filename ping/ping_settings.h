// The companion's five settings as the Ping Configuration dialog stores them
// and the companion vldetect.exe reads them, and the notice by which the one
// tells the other that they changed.
#pragma once
#include <string>

namespace vl {

class SettingsStore;

extern const char kPingSubkey[];           // "UndoRegular"
extern const char kPingModeAutomatic[];    // "Automatic"
extern const char kPingModeManual[];       // "Manual"
extern const char kCompanionWindowName[];  // "VL - Net Detect"
extern const char kPingValueTaskBarAni[];  // "TaskBarAni"

// The notice that tells the companion that new settings are stored.
constexpr unsigned kWmPingSettingsChanged = 0x0400 + 88;
constexpr int kPingNoticeParam = 123;

constexpr int kPingIntervalCount = 60;
constexpr int kPingDefaultInterval = 9;  // " 10 minutes.", stored in automatic mode

// The five stored values, as read or as about to be written.
struct PingSettings {
  std::string mode;
  std::string host;
  int interval = 0;
  int sound = 0;
  int taskBarAni = 0;
};

// Reads the five values with their defaults; an empty mode means the
// companion has never been set up, and then the animation counts as on.
PingSettings ReadPingSettings(SettingsStore& store);
// Writes the five values in the companion's order, scrambled; a value that
// could not be written does not keep the others from being tried. False when
// any of them failed.
bool WritePingSettings(SettingsStore& store, const PingSettings& settings);

}  // namespace vl
