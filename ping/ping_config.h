// The companion's ping settings and the rules of the dialog that edits them,
// apart from the window that shows them.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "platform/system.h"

namespace vl {
struct AppState;
class SettingsStore;

extern const char kPingSubkey[];           // "UndoRegular"
extern const char kPingModeAutomatic[];    // "Automatic"
extern const char kPingModeManual[];       // "Manual"
extern const char kCompanionWindowName[];  // "VL - Net Detect"

// The notice that tells the companion that new settings are stored.
constexpr unsigned kWmPingSettingsChanged = 0x0400 + 88;
constexpr int kPingNoticeParam = 123;

constexpr int kPingIntervalCount = 60;
constexpr int kPingAutoListIndex = 4;       // " 5 minutes.", shown in automatic mode
constexpr int kPingDefaultInterval = 9;     // " 10 minutes.", stored in automatic mode
// A host of this length scrambles well inside the store's 1000-byte values.
constexpr std::size_t kPingHostMaxChars = 255;

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
