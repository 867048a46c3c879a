#include "tuning/tuning_choices.h"

#include "state/app_state.h"

namespace vl {

const AutoColumn kAutoDialUpValues = {"576", "536", "128", "x6", "10 min.", "16"};
const AutoColumn kAutoLanValues = {"1500", "1460", "32", "x4", "60 min.", "16"};

const char kDescAutoDialUp[] = "Dial-Up Networking (Modem) - Automatically Configured";
const char kDescAutoLan[] = "Local Area Networking (LAN) - Automatically Configured";
const char kDescManual[] = "Networking Performance - Manual Configured";

void LoadAutoMode(AppState& app, ConfigMode mode) {
  const AutoColumn* column = nullptr;
  const char* description = nullptr;
  switch (mode) {
    case ModeAutoDialUp:
      column = &kAutoDialUpValues;
      description = kDescAutoDialUp;
      break;
    case ModeAutoLan:
      column = &kAutoLanValues;
      description = kDescAutoLan;
      break;
    default:
      return;  // the manual modes take their values from the form's controls
  }
  app.m_nConfigMode = mode;
  app.m_strActiveConfig = description;
  TuningSettings& t = app.m_tuning;
  t.m_strMaxMtu = column->maxMtu;
  t.m_strMaxMss = column->maxMss;
  t.m_strTtl = column->ttl;
  t.m_strRwinMultiple = column->rwinMultiple;
  t.m_strKeepAlive = column->keepAlive;
  t.m_strNdiCache = column->ndiCache;
}

}  // namespace vl
