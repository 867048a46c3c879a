#include "tuning/tuning_choices.h"

#include <cstdint>

#include "app/app_state.h"

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
  app.m_strMaxMtu = column->maxMtu;
  app.m_strMaxMss = column->maxMss;
  app.m_strTtl = column->ttl;
  app.m_strRwinMultiple = column->rwinMultiple;
  app.m_strKeepAlive = column->keepAlive;
  app.m_strNdiCache = column->ndiCache;
}

int Atoi(const std::string& text) {
  size_t i = 0;
  auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && space(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  uint32_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    value = value * 10u + static_cast<uint32_t>(text[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

}  // namespace vl
