#include "form/form_controller.h"

#include "links/help.h"
#include "res/resource.h"
#include "state/app_state.h"
#include "tuning/tuning_choices.h"

namespace vl {

const int kHelpLinks[6] = {IDC_HELP_MTU,       IDC_HELP_RWIN, IDC_HELP_TTL,
                           IDC_HELP_KEEPALIVE, IDC_HELP_PMTU, IDC_HELP_NDI};

namespace {
struct MapEntry {
  int id;
  int code;
  void (FormController::*handler)();
};

// The setting radios are not here: one handler takes them all by their id.
const MapEntry kMessageMap[] = {
    {IDC_HELP_BUTTON, kBnClicked, &FormController::OnHelp},
    {IDC_APPLY, kBnClicked, &FormController::OnApply},
    {IDC_MODE_DIALUP, kBnClicked, &FormController::OnModeDialUp},
    {IDC_MODE_MANUAL, kBnClicked, &FormController::OnModeManual},
    {IDC_MTU_EDIT, kEnUpdate, &FormController::OnUpdateMtuEdit},
    {IDC_TTL_EDIT, kEnUpdate, &FormController::OnUpdateTtlEdit},
    {IDC_MODE_LAN, kBnClicked, &FormController::OnModeLan},
    {IDC_CAPTION_DIALUP, kStnClicked, &FormController::OnCaptionDialUp},
    {IDC_CAPTION_LAN, kStnClicked, &FormController::OnCaptionLan},
    {IDC_CAPTION_MANUAL, kStnClicked, &FormController::OnCaptionManual},
    {IDC_RWIN_COMBO, kCbnEditUpdate, &FormController::OnEditUpdateRwinCombo},
    {IDC_KEEPALIVE_COMBO, kCbnEditUpdate, &FormController::OnEditUpdateKeepAliveCombo},
    {IDC_NDI_COMBO, kCbnEditUpdate, &FormController::OnEditUpdateNdiCombo},
};
}  // namespace

bool FormController::OnCommand(int controlId, int code) {
  if (code == kBnClicked && GroupOfRadio(controlId)) {
    OnSettingRadio(controlId);
    return true;
  }
  for (const MapEntry& e : kMessageMap)
    if (e.id == controlId && e.code == code) {
      (this->*e.handler)();
      return true;
    }
  return false;
}

// The Apply runs at the frame's next idle pass, outside this click.
void FormController::OnApply() { app_.RequestApply(ApplyOrigin::FormButton); }

void FormController::OnHelp() { HelpTopics(app_, kHelpWelcome); }

// ---- Modes ----

void FormController::OnModeDialUp() { ChooseAutoMode(ModeAutoDialUp); }
void FormController::OnModeLan() { ChooseAutoMode(ModeAutoLan); }

void FormController::ChooseAutoMode(int mode) {
  LoadAutoMode(app_, static_cast<ConfigMode>(mode));
  w_.SetCheck(IDC_MODE_MANUAL, false);
  w_.SetCheck(IDC_MODE_DIALUP, mode == ModeAutoDialUp);
  w_.SetCheck(IDC_MODE_LAN, mode == ModeAutoLan);
  EnableSettingControls(false);
  EnableHelpLinks(false);
  ExplainMode();
}

// The dialog explains the mode; in manual mode its answer, or the census
// it took, decides which kind of adapter the form configures.
void FormController::ExplainMode() {
  const AutoModeAnswer answer = w_.RunAutoModeDialog(app_.m_nConfigMode);
  if (answer.censusTaken) {
    app_.m_bHasDialUpAdapter = answer.census.hasDialUp;
    app_.m_bHasLanAdapter = answer.census.hasLan;
  }
  app_.m_nConfigMode = ModeAfterDialog(app_.m_nConfigMode, answer);
}

void FormController::OnModeManual() {
  app_.m_nConfigMode = ModeManual;
  app_.m_strActiveConfig = kDescManual;
  w_.SetCheck(IDC_MODE_MANUAL, true);
  w_.SetCheck(IDC_MODE_DIALUP, false);
  w_.SetCheck(IDC_MODE_LAN, false);
  ExplainMode();

  EnableSettingControls(true);
  EnableHelpLinks(true);
  // Hiding and showing again repaints the links over the group frames.
  for (int id : kHelpLinks) {
    w_.Show(id, false);
    w_.Show(id, true);
  }

  const ManualChoices& c = ManualChoicesFor(app_.m_nConfigMode);
  w_.SetText(IDC_MTU_DEFAULT, c.mtuDefault);
  w_.SetText(IDC_MTU_576, c.mtu576);
  w_.SetText(IDC_RWIN_DEFAULT, c.rwinDefault);
  w_.SetText(IDC_RWIN_X6, c.rwinX6);
  w_.SetText(IDC_TTL_DEFAULT, c.ttlDefault);
  w_.SetText(IDC_TTL_128, c.ttl128);
  w_.SetText(IDC_KEEPALIVE_DEFAULT, c.keepAliveDefault);
  w_.SetText(IDC_KEEPALIVE_10, c.keepAlive10);
  for (int id : c.recommended) ClickAndFocus(id);
  w_.SetCheck(IDC_PMTU_BLACKHOLE, false);
  w_.SetCheck(IDC_PMTU_DISCOVERY, true);
  ClickAndFocus(IDC_NDI_16);
  w_.Focus(IDC_APPLY);
}

void FormController::UseFoundMtu(unsigned mtu) {
  // Custom first: a click reads the edit as it stands, and only then does
  // the new text come, through the edit's own check.
  FocusRadio(IDC_MTU_CUSTOM);
  w_.SetText(IDC_MTU_EDIT, std::to_string(mtu));
}

void FormController::OnCaptionDialUp() { FocusRadio(IDC_MODE_DIALUP); }
void FormController::OnCaptionLan() { FocusRadio(IDC_MODE_LAN); }
void FormController::OnCaptionManual() { FocusRadio(IDC_MODE_MANUAL); }

// Where the system made the click itself, the radio is checked by now and
// no second click follows. The click comes after the focus, as on Windows,
// so where its handler leaves the focus (another control, after a dialog)
// is where it stays.
void FormController::FocusRadio(int radioId) {
  w_.Focus(radioId);
  if (!w_.IsChecked(radioId)) OnCommand(radioId, kBnClicked);
}

// Manual mode hands a radio the focus to choose it. A radio that is already
// checked reports no click, yet an automatic mode may have stored another
// value since: store its own value again so the Apply writes what the form
// shows.
void FormController::ClickAndFocus(int radioId) {
  if (w_.IsChecked(radioId)) OnSettingRadio(radioId);
  FocusRadio(radioId);
}

void FormController::EnableSettingControls(bool manual) {
  for (const GroupControls& g : kSettingGroups) {
    for (int id : g.radios) w_.Enable(id, manual);
    w_.Enable(g.partner, manual && w_.IsChecked(g.radios[2]));
  }
  w_.Enable(IDC_PMTU_DISCOVERY, manual);
  w_.Enable(IDC_PMTU_BLACKHOLE, manual);
}

void FormController::EnableHelpLinks(bool enable) {
  for (int id : kHelpLinks) w_.Enable(id, enable);
}

// ---- Setting radios ----

void FormController::OnSettingRadio(int radioId) {
  const GroupControls* g = GroupOfRadio(radioId);
  if (!g) return;
  bool custom = IsCustomRadio(*g, radioId);
  w_.Enable(g->partner, custom);
  for (int id : g->radios) w_.SetCheck(id, id == radioId);
  if (!custom) {
    StoreRadioValue(app_.m_tuning, radioId);
    return;
  }
  if (g->partnerIsList) {
    w_.Focus(g->partner);
    ListValue(app_.m_tuning, g->group) = w_.GetText(g->partner);
    return;
  }
  if (g->group == SettingGroup::Mtu)
    StoreCustomMtu(app_.m_tuning, w_.GetText(IDC_MTU_EDIT));
  else
    StoreCustomTtl(app_.m_tuning, w_.GetText(IDC_TTL_EDIT));
  w_.Focus(g->partner);
}

// ---- Custom edits ----

void FormController::OnUpdateMtuEdit() {
  RevertEdit(IDC_MTU_EDIT, m_strLastMtu,
             UpdateMtuEdit(app_.m_tuning, m_strLastMtu, w_.GetText(IDC_MTU_EDIT)));
}

void FormController::OnUpdateTtlEdit() {
  RevertEdit(IDC_TTL_EDIT, m_strLastTtl,
             UpdateTtlEdit(app_.m_tuning, m_strLastTtl, w_.GetText(IDC_TTL_EDIT)));
}

void FormController::RevertEdit(int editId, const std::string& lastText, EditVerdict verdict) {
  if (verdict == EditVerdict::Accepted) return;
  // Putting the text back changes the edit again, and that change passes the
  // check and stores its values before the box is shown. A copy, since the
  // check assigns the last text while the edit still reads it.
  std::string last = lastText;
  w_.SetText(editId, last);
  if (verdict == EditVerdict::NotADigit && app_.sys.boxes)
    app_.sys.boxes->Show(w_.Handle(), kInvalidNumber, app_.m_strProductName,
                         kMbOk | kMbIconExclamation);
}

// ---- Lists that cannot be typed into ----

void FormController::OnEditUpdateRwinCombo() { UndoListTyping(SettingGroup::Rwin); }
void FormController::OnEditUpdateKeepAliveCombo() { UndoListTyping(SettingGroup::KeepAlive); }
void FormController::OnEditUpdateNdiCombo() { UndoListTyping(SettingGroup::Ndi); }

void FormController::UndoListTyping(SettingGroup group) {
  // A list that reported its own putting back would otherwise loop here.
  if (undoingListTyping_) return;
  undoingListTyping_ = true;
  int list = GroupControlsOf(group).partner;
  int selection = w_.ListSelection(list);
  if (selection <= -1) {
    w_.SetText(list, ListValue(app_.m_tuning, group));
  } else {
    w_.SelectListItem(list, selection);
    ListValue(app_.m_tuning, group) = w_.GetText(list);
  }
  undoingListTyping_ = false;
}

}  // namespace vl
