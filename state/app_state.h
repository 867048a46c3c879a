// The state the Parts share: the portable half of the application object.
// Members keep the order and names the rest of the program knows them by.
#pragma once
#include <string>

#include "platform/system.h"
#include "settings/settings_store.h"
#include "state/choices.h"
#include "state/os_detect.h"

namespace vl {

class IFormControls;

// Where an Apply was asked for, which decides when it runs and what it
// records. The menu item and the toolbar button run it at once and record
// no mode. The form's Apply button, and the Yes that turns a LAN Apply into
// one for Dial-Up on the user's word, leave it to the frame's next idle pass;
// once it stands, it records its mode in the mode file.
enum class ApplyOrigin {
  Menu,
  FormButton,
  DialUpAnswer,
};
inline bool RecordsModeFile(ApplyOrigin origin) { return origin != ApplyOrigin::Menu; }

struct AppState {
  Platform sys;  // how the core reaches the system

  std::string m_strModePaneText;
  int m_nConfigMode = ModeNone;
  std::string m_strOsName = "NT";
  // The NT version, read once per run with the OS name; it decides where
  // the NT family's settings go and which of them that Windows reads.
  WindowsVersion m_eWinVersion = WindowsVersion::Nt4;
  bool LargeFontLayout = false;
  SettingsStore m_settings;
  std::string m_strCommand;
  IFormControls* m_pFormView = nullptr;
  void* m_pMainFrame = nullptr;  // the Win32 frame; opaque to the core
  // An Apply waits for the frame's next idle pass, and where it was asked
  // for.
  bool m_bApplyPending = false;
  ApplyOrigin m_eApplyOrigin = ApplyOrigin::FormButton;
  void RequestApply(ApplyOrigin origin) {
    m_bApplyPending = true;
    m_eApplyOrigin = origin;
  }
  // The waiting Apply's origin, and no Apply waits any more; false when none
  // waited.
  bool TakePendingApply(ApplyOrigin* origin) {
    if (!m_bApplyPending) return false;
    m_bApplyPending = false;
    *origin = m_eApplyOrigin;
    return true;
  }
  std::string m_strActiveConfig;
  TuningSettings m_tuning;
  // Adapter census
  bool m_bHasDialUpAdapter = false;
  bool m_bHasLanAdapter = false;
  std::string m_strProductName;
  std::string m_strVersion;
  // Whether Undo Last Changes has a change to take back, as last read from
  // the history; read again once a change or an undo cleared m_bUndoKnown.
  bool m_bUndoKnown = false;
  bool m_bCanUndo = false;
};

}  // namespace vl
