// The companion's ping settings and the rules of the dialog that edits them,
// apart from the window that shows them.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "ping/ping_settings.h"
#include "platform/system.h"

namespace vl {
struct AppState;
class SettingsStore;

constexpr int kPingAutoListIndex = 4;  // " 5 minutes.", shown in automatic mode
// A host of this length scrambles well inside the store's 1000-byte values.
constexpr std::size_t kPingHostMaxChars = 255;

// " 1 minute.", " 2 minutes." ... " 60 minutes."
std::vector<std::string> PingIntervalTexts();
// The word shown in the disabled host field, padded to sit in its middle.
std::string AutomaticHostText(bool largeFonts);
// The host test of OK: something besides blanks.
bool IsUsablePingHost(const std::string& host);
std::string PingHostMessage();
extern const char kPingStoreFailed[];  // the settings could not all be written

// The dialog's controls as its rules see them. Ids are those of the
// resource script.
class IPingControls {
 public:
  virtual ~IPingControls() = default;
  virtual bool IsChecked(int id) const = 0;
  virtual void SetCheck(int id, bool checked) = 0;
  virtual void Enable(int id, bool enable) = 0;
  virtual std::string GetText(int id) const = 0;
  virtual void SetText(int id, const std::string& text) = 0;
  virtual void FillList(int id, const std::vector<std::string>& items) = 0;
  virtual int GetSelection(int id) const = 0;  // -1 when nothing is selected
  virtual void SetSelection(int id, int index) = 0;
  virtual void SetFocus(int id) = 0;
};

class PingConfigRules {
 public:
  PingConfigRules(AppState& app, IPingControls& controls) : app_(app), c_(controls) {}

  // Fills the list and shows the stored settings (the part of the dialog's
  // start that does not depend on the window system).
  void Init();

  void OnAutomaticClicked();
  void OnManualClicked();
  void OnIntervalEdited();
  void OnDefaults();
  void OnHelp();
  // Checks the host and stores the settings. False when the host was refused
  // or the settings could not be stored, and the dialog must stay open;
  // `owner` owns the message box that says so.
  bool OnOk(WindowHandle owner);

 private:
  // A radio that gets the focus while unchecked reports a click; a checked one
  // reports nothing. The mode steps follow that rule wherever they are used.
  void PutModeIntoEffect(int radioId);

  AppState& app_;
  IPingControls& c_;
};

}  // namespace vl
