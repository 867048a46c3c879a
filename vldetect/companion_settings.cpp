#include "vldetect/companion_settings.h"

#include "platform/text.h"
#include "settings/settings_store.h"

namespace vl {

unsigned IntervalMinutes(int index) {
  if (index < 0 || index >= kPingIntervalCount) index = kPingDefaultInterval;
  return static_cast<unsigned>(index) + 1;
}

CompanionSettings ToCompanionSettings(const PingSettings& stored, bool taskBarAniStored) {
  CompanionSettings s;
  s.sound = stored.sound != 0;
  s.animate = stored.taskBarAni != 0 || !taskBarAniStored;
  // The dialog takes any mode but "Automatic" and nothing for manual; a
  // manual host that is all blanks leaves nothing to ping by name, so the
  // connection's own host is pinged instead.
  const std::string host = TrimBlanks(stored.host);
  if (stored.mode.empty() || stored.mode == kPingModeAutomatic || host.empty()) return s;
  s.automatic = false;
  s.host = host;
  s.intervalMinutes = IntervalMinutes(stored.interval);
  return s;
}

CompanionSettings ReadCompanionSettings(SettingsStore& store) {
  const PingSettings stored = ReadPingSettings(store);
  const std::string aniText = store.ReadString(kPingSubkey, kPingValueTaskBarAni, "", true);
  return ToCompanionSettings(stored, !TrimBlanks(aniText).empty());
}

}  // namespace vl
