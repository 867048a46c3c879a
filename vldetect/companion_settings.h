// What the companion makes of the five stored ping settings.
#pragma once
#include <string>

#include "ping/ping_settings.h"

namespace vl {

class SettingsStore;

constexpr unsigned kAutomaticIntervalMinutes = 10;

struct CompanionSettings {
  bool automatic = true;
  std::string host;  // the manual host, blanks trimmed; empty in automatic mode
  unsigned intervalMinutes = kAutomaticIntervalMinutes;
  bool sound = false;
  bool animate = true;  // the tray icon turns while a connection is being made
};

// An interval list index as minutes: index i is i + 1 minutes. An index that
// is no list entry gets the dialog's own default, ten minutes.
unsigned IntervalMinutes(int index);

// `taskBarAniStored`: whether the TaskBarAni value holds any text at all.
CompanionSettings ToCompanionSettings(const PingSettings& stored, bool taskBarAniStored);

// Reads the values the Ping Configuration dialog stores, with its defaults.
CompanionSettings ReadCompanionSettings(SettingsStore& store);

}  // namespace vl
