#include "form/win/auto_mode_dlg.h"

#include "form/mode_choice.h"
#include "links/help.h"
#include "res/resource.h"
#include "ui/geometry.h"
#include "ui/window.h"

CAutoModeDlg::CAutoModeDlg(vl::AppState& app, HWND owner, int configMode)
    : app_(app),
      m_hOwner(owner),
      m_nConfigMode(configMode),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr),
                        MAKEINTRESOURCEA(vl::AutoModeIconFor(configMode)))) {}

// The icon is a shared resource icon: nothing to free.
CAutoModeDlg::~CAutoModeDlg() = default;

INT_PTR CAutoModeDlg::DoModal() { return ui::Dialog::DoModal(m_hOwner, IDD_AUTO_MODE); }

BOOL CAutoModeDlg::OnInitDialog() {
  m_staticIcon.AttachDlgItem(hwnd_, IDC_AUTO_ICON);
  SendMessageA(m_staticIcon.hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon), 0);

  const vl::AutoModeTexts& texts = vl::AutoModeTextsFor(m_nConfigMode);
  SetWindowTextA(hwnd_, texts.caption);
  SetDlgItemTextA(hwnd_, IDC_AUTO_TEXT_MODE, texts.mode);
  SetDlgItemTextA(hwnd_, IDC_AUTO_TEXT_INFO, texts.info);
  SetDlgItemTextA(hwnd_, IDC_AUTO_TEXT_APPLY, texts.apply);

  if (m_nConfigMode == vl::ModeManual) {
    m_answer.census =
        vl::TakeAdapterCensus(*app_.sys.registry, app_.m_strOsName, app_.m_eWinVersion);
    m_answer.censusTaken = true;
    if (vl::AsksAdapterQuestion(m_nConfigMode, m_answer.census)) {
      SetDlgItemTextA(hwnd_, IDC_AUTO_TEXT_INFO, vl::kAdapterQuestion);
      ShowWindow(Item(IDC_AUTO_ADAPTER_DIALUP), SW_SHOW);
      ui::SetItemCheck(hwnd_, IDC_AUTO_ADAPTER_DIALUP, true);
      ShowWindow(Item(IDC_AUTO_ADAPTER_LAN), SW_SHOW);
    }
  }
  // Over the main window when it shows, else in the middle of the screen.
  ui::CentreWindow(hwnd_, m_hOwner);
  return TRUE;
}

void CAutoModeDlg::OnOK() {
  m_answer.ok = true;
  // The radio's own visibility: OK may come (a key typed ahead) before the
  // dialog itself is on the screen.
  m_answer.questionAsked =
      (GetWindowLongA(Item(IDC_AUTO_ADAPTER_DIALUP), GWL_STYLE) & WS_VISIBLE) != 0;
  m_answer.dialUpChosen = ui::IsItemChecked(hwnd_, IDC_AUTO_ADAPTER_DIALUP);
  EndDialog(IDOK);
}

bool CAutoModeDlg::OnCommand(int id, int code, HWND) {
  if (id == IDC_AUTO_HELP && code == BN_CLICKED) {
    vl::HelpTopics(app_, vl::kHelpConfiguration);
    return true;
  }
  return false;
}
