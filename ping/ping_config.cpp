#include "ping/ping_config.h"

#include "state/app_state.h"
#include "links/help.h"
#include "res/maker.h"
#include "platform/text.h"
#include "res/resource.h"

namespace vl {

const char kPingStoreFailed[] =
    "The ping settings could not be fully stored.\n"
    "Some values could not be changed in the registry.\n\n"
    "Please log on as an administrator and press OK again.";

namespace {
bool IsListIndex(int index) { return index >= 0 && index < kPingIntervalCount; }
}  // namespace

std::vector<std::string> PingIntervalTexts() {
  std::vector<std::string> texts;
  texts.push_back(" 1 minute.");
  for (int minutes = 2; minutes <= kPingIntervalCount; ++minutes)
    texts.push_back(" " + std::to_string(minutes) + " minutes.");
  return texts;
}

std::string AutomaticHostText(bool largeFonts) {
  return std::string(largeFonts ? 14 : 10, ' ') + kPingModeAutomatic;
}

bool IsUsablePingHost(const std::string& host) { return !IsBlankText(host); }

std::string PingHostMessage() {
  return std::string("Please choose a valid Ping Host.\nExample:  ") + kMakerExampleHost + " ";
}

void PingConfigRules::Init() {
  std::vector<std::string> texts = PingIntervalTexts();
  c_.FillList(IDC_PING_INTERVAL, texts);
  for (size_t i = 1; i < texts.size(); ++i) {
    if (texts[i].compare(0, 3, " 10") == 0) {
      c_.SetSelection(IDC_PING_INTERVAL, static_cast<int>(i));
      break;
    }
  }

  PingSettings s = ReadPingSettings(app_.m_settings);
  if (s.mode.empty() || s.mode == kPingModeAutomatic) {
    PutModeIntoEffect(IDC_PING_AUTO);
  } else {
    PutModeIntoEffect(IDC_PING_MANUAL);
    // After the mode steps, which empty the field.
    c_.SetText(IDC_PING_HOST, s.host);
    // An index from elsewhere that is no list entry would leave the list
    // without a selection, and OK would then store it as -1.
    c_.SetSelection(IDC_PING_INTERVAL, IsListIndex(s.interval) ? s.interval : kPingDefaultInterval);
  }
  c_.SetCheck(IDC_PING_SOUND, s.sound != 0);
  c_.SetCheck(IDC_PING_TASKBAR_ANI, s.taskBarAni != 0);
}

void PingConfigRules::PutModeIntoEffect(int radioId) {
  if (!c_.IsChecked(radioId)) {
    if (radioId == IDC_PING_AUTO)
      OnAutomaticClicked();
    else
      OnManualClicked();
  }
  c_.SetFocus(radioId);
}

void PingConfigRules::OnAutomaticClicked() {
  c_.SetCheck(IDC_PING_MANUAL, false);
  c_.SetCheck(IDC_PING_AUTO, true);
  c_.Enable(IDC_PING_HOST, false);
  c_.Enable(IDC_PING_INTERVAL, false);
  c_.SetSelection(IDC_PING_INTERVAL, kPingAutoListIndex);
  c_.SetText(IDC_PING_HOST, AutomaticHostText(app_.LargeFontLayout));
}

void PingConfigRules::OnManualClicked() {
  c_.SetCheck(IDC_PING_MANUAL, true);
  c_.SetCheck(IDC_PING_AUTO, false);
  c_.Enable(IDC_PING_HOST, true);
  c_.Enable(IDC_PING_INTERVAL, true);
  c_.SetText(IDC_PING_HOST, "");
}

void PingConfigRules::OnIntervalEdited() {
  int current = c_.GetSelection(IDC_PING_INTERVAL);
  c_.SetSelection(IDC_PING_INTERVAL, current >= 0 ? current : kPingDefaultInterval);
}

void PingConfigRules::OnDefaults() {
  PutModeIntoEffect(IDC_PING_AUTO);
  c_.SetCheck(IDC_PING_SOUND, false);
  c_.SetCheck(IDC_PING_TASKBAR_ANI, true);
}

void PingConfigRules::OnHelp() { HelpTopics(app_, kHelpPing); }

bool PingConfigRules::OnOk(WindowHandle owner) {
  auto refuse = [&](const std::string& text) {
    app_.sys.boxes->Show(owner, text, app_.m_strProductName, kMbOk | kMbIconExclamation);
    return false;
  };
  if (!IsUsablePingHost(c_.GetText(IDC_PING_HOST))) return refuse(PingHostMessage());
  PingSettings s;
  if (c_.IsChecked(IDC_PING_AUTO)) {
    s.mode = kPingModeAutomatic;
    s.host = kPingModeAutomatic;
    s.interval = kPingDefaultInterval;
  } else {
    s.mode = kPingModeManual;
    // The field is limited to this length; a longer host can only come from a
    // stored value, and written back whole it would no longer fit the store.
    s.host = c_.GetText(IDC_PING_HOST).substr(0, kPingHostMaxChars);
    int selection = c_.GetSelection(IDC_PING_INTERVAL);
    s.interval = IsListIndex(selection) ? selection : kPingDefaultInterval;
  }
  s.sound = c_.IsChecked(IDC_PING_SOUND) ? 1 : 0;
  s.taskBarAni = c_.IsChecked(IDC_PING_TASKBAR_ANI) ? 1 : 0;
  // Closing after a refused write would leave the companion on settings the
  // user believes replaced.
  if (!WritePingSettings(app_.m_settings, s)) return refuse(kPingStoreFailed);
  return true;
}

}  // namespace vl
