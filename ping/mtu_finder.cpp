#include "ping/mtu_finder.h"

#include "state/app_state.h"
#include "links/help.h"
#include "ping/ping_settings.h"
#include "platform/text.h"
#include "res/resource.h"
#include "net/host_choice.h"

namespace vl {

const char kMtuHostValue[] = "MtuHost";
const char kMtuNoHost[] = "Type the host to probe: a name or a dotted address.";
const char kMtuCannotStart[] = "The probe could not start. Close this window and try again.";

std::string MtuProbingText(const std::string& host) {
  return "Looking for the largest packet that reaches " + host + "...";
}

std::string ReadMtuHost(SettingsStore& store) {
  return store.ReadString(kPingSubkey, kMtuHostValue, "", true);
}

bool WriteMtuHost(SettingsStore& store, const std::string& host) {
  return store.WriteString(kPingSubkey, kMtuHostValue, host, true);
}

std::string StartingMtuHost(AppState& app, INetwork& net) {
  std::string host = TrimBlanks(ReadMtuHost(app.m_settings));
  if (!host.empty() || !app.sys.registry || !ConnectionIsUp(net)) return host;
  return ChooseAutomaticHost(net, *app.sys.registry);
}

bool IsManualMode(int configMode) {
  return configMode == ModeManual || configMode == ModeManualDialUp ||
         configMode == ModeManualLan;
}

void MtuFinderRules::Init(INetwork& net) {
  c_.SetText(IDC_FINDMTU_HOST, StartingMtuHost(app_, net));
  c_.SetText(IDC_FINDMTU_RESULT, "");
  ShowIdle();
}

void MtuFinderRules::ShowIdle() {
  c_.Enable(IDC_FINDMTU_HOST, true);
  c_.Enable(IDC_FINDMTU_START, true);
  c_.Enable(IDC_FINDMTU_STOP, false);
  c_.Enable(IDC_FINDMTU_USE, found_ != 0 && IsManualMode(app_.m_nConfigMode));
}

void MtuFinderRules::OnStart() {
  if (running_) return;
  const std::string host = TrimBlanks(c_.GetText(IDC_FINDMTU_HOST));
  if (host.empty()) {
    c_.SetText(IDC_FINDMTU_RESULT, kMtuNoHost);
    c_.Focus(IDC_FINDMTU_HOST);
    return;
  }
  WriteMtuHost(app_.m_settings, host);
  found_ = 0;
  stopped_ = false;
  c_.ClearList(IDC_FINDMTU_LIST);
  if (!runner_.Start(host)) {
    c_.SetText(IDC_FINDMTU_RESULT, kMtuCannotStart);
    ShowIdle();
    return;
  }
  running_ = true;
  c_.SetText(IDC_FINDMTU_RESULT, MtuProbingText(host));
  c_.Enable(IDC_FINDMTU_STOP, true);
  c_.Focus(IDC_FINDMTU_STOP);
  c_.Enable(IDC_FINDMTU_HOST, false);
  c_.Enable(IDC_FINDMTU_START, false);
  c_.Enable(IDC_FINDMTU_USE, false);
}

void MtuFinderRules::OnStop() {
  if (!running_ || stopped_) return;
  stopped_ = true;
  runner_.Stop();
  // For the user the probe ends here; its thread ends with the echo under
  // way, and Start comes back with that end.
  c_.SetText(IDC_FINDMTU_RESULT, ProbeResultText(ProbeResult(), false));
  c_.Enable(IDC_FINDMTU_STOP, false);
}

void MtuFinderRules::OnStep(const ProbeStep& step) {
  if (stopped_) return;
  c_.AddLine(IDC_FINDMTU_LIST, ProbeStepText(step));
}

void MtuFinderRules::OnFinished(const ProbeResult& result) {
  running_ = false;
  if (closing_) {
    c_.Close(0);
    return;
  }
  if (!stopped_) {
    if (result.kind == ProbeResult::Found) found_ = result.mtu;
    c_.SetText(IDC_FINDMTU_RESULT, ProbeResultText(result, IsManualMode(app_.m_nConfigMode)));
  }
  ShowIdle();
  c_.Focus(IDC_FINDMTU_START);
}

void MtuFinderRules::OnUseMtu() {
  if (running_ || !found_ || !IsManualMode(app_.m_nConfigMode)) return;
  c_.Close(found_);
}

void MtuFinderRules::OnHelp() { HelpTopics(app_, kHelpMtuFinder); }

bool MtuFinderRules::OnClose() {
  if (!running_) return true;
  closing_ = true;
  OnStop();
  c_.Enable(IDC_FINDMTU_HOST, false);
  c_.Enable(IDC_FINDMTU_START, false);
  return false;
}

}  // namespace vl
