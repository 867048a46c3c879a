#include "ping/ping_settings.h"

#include "settings/settings_store.h"

namespace vl {

const char kPingSubkey[] = "UndoRegular";
const char kPingModeAutomatic[] = "Automatic";
const char kPingModeManual[] = "Manual";
const char kCompanionWindowName[] = "VL - Net Detect";
const char kPingValueTaskBarAni[] = "TaskBarAni";

namespace {
const char kValueMode[] = "PingMode";
const char kValueHost[] = "PingHost";
const char kValueInterval[] = "PingInterval";
const char kValueSound[] = "PingSound";
}  // namespace

PingSettings ReadPingSettings(SettingsStore& store) {
  PingSettings s;
  s.mode = store.ReadString(kPingSubkey, kValueMode, "", true);
  s.host = store.ReadString(kPingSubkey, kValueHost, "", true);
  s.interval = store.ReadInt(kPingSubkey, kValueInterval, 0, true);
  s.sound = store.ReadInt(kPingSubkey, kValueSound, 0, true);
  s.taskBarAni = store.ReadInt(kPingSubkey, kPingValueTaskBarAni, 0, true);
  if (s.mode.empty()) s.taskBarAni = 1;
  return s;
}

bool WritePingSettings(SettingsStore& store, const PingSettings& s) {
  bool stored = store.WriteString(kPingSubkey, kValueMode, s.mode, true);
  stored &= store.WriteString(kPingSubkey, kValueHost, s.host, true);
  stored &= store.WriteInt(kPingSubkey, kValueInterval, s.interval, true);
  stored &= store.WriteInt(kPingSubkey, kValueSound, s.sound, true);
  stored &= store.WriteInt(kPingSubkey, kPingValueTaskBarAni, s.taskBarAni, true);
  return stored;
}

}  // namespace vl
