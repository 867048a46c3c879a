// The behaviour of the form: the three modes and every manual setting
// control, working on the form's controls through IFormWindow so that the
// same code drives the real window and a stand-in.
#pragma once
#include <string>

#include "form/manual_rules.h"
#include "form/mode_choice.h"
#include "platform/system.h"
#include "tuning/form_controls.h"

namespace vl {
struct AppState;

// Notification codes of the controls (WM_COMMAND's high word).
constexpr int kBnClicked = 0;
constexpr int kStnClicked = 0;
constexpr int kCbnEditUpdate = 6;
constexpr int kEnUpdate = 0x0400;

class IFormWindow : public IFormControls {
 public:
  virtual WindowHandle Handle() const = 0;  // owner of the form's message boxes
  virtual void Enable(int controlId, bool enable) = 0;
  // SetDlgItemText. An edit reports the new text at once (EN_UPDATE comes
  // back through FormController::OnCommand before this returns); a list's
  // edit field reports nothing.
  virtual void SetText(int controlId, const std::string& text) = 0;
  virtual void Show(int controlId, bool show) = 0;
  // SetFocus. Windows turns the focus on an unchecked radio into its click
  // (through FormController::OnCommand, before this returns); Wine does not.
  virtual void Focus(int controlId) = 0;
  virtual int ListSelection(int listId) = 0;                 // CB_GETCURSEL
  virtual void SelectListItem(int listId, int index) = 0;    // CB_SETCURSEL
  // Runs the automatic-mode dialog of that mode modally; returns when it has
  // closed, with what the user did there.
  virtual AutoModeAnswer RunAutoModeDialog(int configMode) = 0;
};

class FormController {
 public:
  FormController(AppState& app, IFormWindow& window) : app_(app), w_(window) {}

  // A notification of one of the form's controls; false when it is none of
  // ours.
  bool OnCommand(int controlId, int code);

  void OnApply();
  void OnHelp();
  void OnModeDialUp();
  void OnModeLan();
  void OnModeManual();
  void OnCaptionDialUp();
  void OnCaptionLan();
  void OnCaptionManual();

  // Any of the fifteen setting radios: the id picks its group and value.
  void OnSettingRadio(int radioId);

  void OnUpdateMtuEdit();
  void OnUpdateTtlEdit();
  void OnEditUpdateRwinCombo();
  void OnEditUpdateKeepAliveCombo();
  void OnEditUpdateNdiCombo();

  // What "Use This MTU" of the MTU finder does on the form: clicks Custom
  // MTU and types the MTU into its edit, whose own rules then store the MTU
  // and the MSS, as if the user had typed it.
  void UseFoundMtu(unsigned mtu);

  // The last texts of the two custom edits that passed the check.
  std::string m_strLastMtu;
  std::string m_strLastTtl;

 private:
  void ChooseAutoMode(int mode);
  void ExplainMode();
  // The focus rule of Windows dialogs, the same on every system: the radio
  // gets the focus, and one still unchecked then reports its click.
  void FocusRadio(int radioId);
  void ClickAndFocus(int radioId);
  void EnableSettingControls(bool manual);
  void EnableHelpLinks(bool enable);
  void RevertEdit(int editId, const std::string& lastText, EditVerdict verdict);
  void UndoListTyping(SettingGroup group);

  AppState& app_;
  IFormWindow& w_;
  bool undoingListTyping_ = false;
};

// The six help links, in the order manual mode redraws them.
extern const int kHelpLinks[6];

}  // namespace vl
