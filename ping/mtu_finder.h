// The rules of the Find Largest MTU dialog, apart from the window that shows
// them and the thread that probes: the host it starts with, Start and Stop,
// the list of probes, the result line, and the way a found MTU reaches the
// form's manual controls.
#pragma once
#include <string>

#include "ping/mtu_probe.h"

namespace vl {
struct AppState;
class SettingsStore;

// The settings-store value of the last host probed (under the ping
// settings' subkey, scrambled like them).
extern const char kMtuHostValue[];
std::string ReadMtuHost(SettingsStore& store);
bool WriteMtuHost(SettingsStore& store, const std::string& host);

// The first host shown: the last one probed, else the automatic host of the
// connection that is up (as the companion chooses it), else none. Asks the
// network nothing while no connection is up.
std::string StartingMtuHost(AppState& app, INetwork& net);

// Whether the form is in a manual mode, where its MTU controls take a value.
bool IsManualMode(int configMode);

// The dialog's controls as its rules see them. Ids are those of the resource
// script.
class IMtuFinderControls {
 public:
  virtual ~IMtuFinderControls() = default;
  virtual std::string GetText(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual void Enable(int id, bool enable) = 0;
  virtual void Focus(int id) = 0;
  virtual void ClearList(int id) = 0;
  // Appends a line and brings it into view.
  virtual void AddLine(int id, const std::string& text) = 0;
  // Ends the dialog; `mtu` is the MTU to use on the form, 0 for none.
  virtual void Close(unsigned mtu) = 0;
};

// The probe's thread as the rules drive it.
class IProbeRunner {
 public:
  virtual ~IProbeRunner() = default;
  // Starts a probe of `host`; false when no thread could start. Its steps
  // and its end come back through OnStep and OnFinished.
  virtual bool Start(const std::string& host) = 0;
  // Asks the probe to end; returns at once. Its end still comes.
  virtual void Stop() = 0;
};

class MtuFinderRules {
 public:
  MtuFinderRules(AppState& app, IMtuFinderControls& controls, IProbeRunner& runner)
      : app_(app), c_(controls), runner_(runner) {}

  void Init(INetwork& net);
  void OnStart();
  void OnStop();
  void OnStep(const ProbeStep& step);
  void OnFinished(const ProbeResult& result);
  void OnUseMtu();
  void OnHelp();
  // Close, Escape or the close box; true when the dialog may end now. While
  // a probe runs it is stopped first and the dialog ends with its end.
  bool OnClose();

  bool Running() const { return running_; }

 private:
  void ShowIdle();

  AppState& app_;
  IMtuFinderControls& c_;
  IProbeRunner& runner_;
  bool running_ = false;
  bool stopped_ = false;
  bool closing_ = false;
  unsigned found_ = 0;  // the MTU of the last result, 0 for none
};

extern const char kMtuNoHost[];      // Start with an empty host
extern const char kMtuCannotStart[]; // no thread for the probe
std::string MtuProbingText(const std::string& host);

}  // namespace vl
