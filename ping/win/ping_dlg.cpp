#include "ping/win/ping_dlg.h"

#include "res/resource.h"
#include "ui/geometry.h"

namespace {
// How long OK waits for the companion to take the notice. A companion that
// hangs must not keep the dialog open; the settings are stored by then.
constexpr UINT kCompanionWaitMs = 3000;
// The OK button's width when the system runs large fonts.
constexpr int kLargeFontButtonWidth = 100;
// Where large fonts put the controls the template places for small ones.
const ui::ItemPlace kLargeFontPlaces[] = {
    {IDC_PING_ICON, 50, 17}, {IDC_PING_TEXT, 138, 16}, {IDC_PING_MANUAL, 208, 112}};
}  // namespace

void RunPingConfigDialog(vl::AppState& app, HWND owner) {
  CPingConfigDlg dlg(app, owner);
  dlg.DoModal();
}

CPingConfigDlg::CPingConfigDlg(vl::AppState& app, HWND owner)
    : app_(app),
      m_hOwner(owner),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PING_WINDOW))),
      m_rules(app, *this) {}

BOOL CPingConfigDlg::OnInitDialog() {
  SendDlgItemMessageA(hwnd_, IDC_PING_INTERVAL, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 13);
  SendDlgItemMessageA(hwnd_, IDC_PING_HOST, EM_LIMITTEXT, vl::kPingHostMaxChars, 0);
  RepairLargeFontLayout();
  // Shown on its own, the dialog stands for the program in the task bar.
  if (!m_hOwner) ui::SetIcons(hwnd_, m_hIcon);
  m_rules.Init();
  return TRUE;
}

void CPingConfigDlg::RepairLargeFontLayout() {
  RECT ok;
  GetWindowRect(Item(IDOK), &ok);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&ok), 2);
  if (ok.right - ok.left != kLargeFontButtonWidth) return;
  app_.LargeFontLayout = true;
  ui::MoveItems(hwnd_, kLargeFontPlaces);
  SendDlgItemMessageA(hwnd_, IDC_PING_INTERVAL, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 16);
}

bool CPingConfigDlg::OnCommand(int id, int code, HWND) {
  // The buttons' clicks, each to its rule.
  struct Click {
    int id;
    void (vl::PingConfigRules::*rule)();
  };
  static const Click kClicks[] = {
      {IDC_PING_AUTO, &vl::PingConfigRules::OnAutomaticClicked},
      {IDC_PING_MANUAL, &vl::PingConfigRules::OnManualClicked},
      {IDC_PING_DEFAULT, &vl::PingConfigRules::OnDefaults},
      {IDC_PING_HELP, &vl::PingConfigRules::OnHelp},
  };
  if (code == BN_CLICKED) {
    for (const Click& c : kClicks) {
      if (c.id != id) continue;
      (m_rules.*c.rule)();
      return true;
    }
    return false;
  }
  // Putting the interval back edits the field once more: not a second time.
  if (id != IDC_PING_INTERVAL || code != CBN_EDITUPDATE || m_bRepairingInterval) return false;
  m_bRepairingInterval = true;
  m_rules.OnIntervalEdited();
  m_bRepairingInterval = false;
  return true;
}

void CPingConfigDlg::OnOK() {
  if (!m_rules.OnOk(reinterpret_cast<vl::WindowHandle>(hwnd_))) return;
  NotifyCompanion();
  EndDialog(IDOK);
}

void CPingConfigDlg::NotifyCompanion() {
  HWND companion = FindWindowA(nullptr, vl::kCompanionWindowName);
  if (!companion) return;
  DWORD_PTR result = 0;
  SendMessageTimeoutA(companion, vl::kWmPingSettingsChanged, vl::kPingNoticeParam,
                      vl::kPingNoticeParam, SMTO_BLOCK | SMTO_ABORTIFHUNG, kCompanionWaitMs,
                      &result);
}

bool CPingConfigDlg::IsChecked(int id) const { return ui::IsItemChecked(hwnd_, id); }
void CPingConfigDlg::SetCheck(int id, bool checked) { ui::SetItemCheck(hwnd_, id, checked); }
void CPingConfigDlg::Enable(int id, bool enable) { ui::EnableItem(hwnd_, id, enable); }
std::string CPingConfigDlg::GetText(int id) const { return ui::GetItemText(hwnd_, id); }
void CPingConfigDlg::SetText(int id, const std::string& text) { ui::SetItemText(hwnd_, id, text); }

void CPingConfigDlg::FillList(int id, const std::vector<std::string>& items) {
  ui::FillComboBox(Item(id), items);
}

int CPingConfigDlg::GetSelection(int id) const {
  return static_cast<int>(SendDlgItemMessageA(hwnd_, id, CB_GETCURSEL, 0, 0));
}

void CPingConfigDlg::SetSelection(int id, int index) {
  SendDlgItemMessageA(hwnd_, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CPingConfigDlg::SetFocus(int id) { ::SetFocus(Item(id)); }
