#include "form/win/auto_mode_dlg.h"

#include "app/win/velora_app.h"
#include "form/mode_choice.h"
#include "links/help.h"
#include "res/resource.h"
#include "ui/geometry.h"
#include "ui/window.h"

CAutoModeDlg::CAutoModeDlg(HWND owner)
    : m_hOwner(owner),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr),
                        MAKEINTRESOURCEA(vl::AutoModeIconFor(theApp.m_nConfigMode)))) {}

// The icon is a shared resource icon: nothing to free.
CAutoModeDlg::~CAutoModeDlg() = default;

INT_PTR CAutoModeDlg::DoModal() { return ui::Dialog::DoModal(m_hOwner, IDD_AUTO_MODE); }

BOOL CAutoModeDlg::OnInitDialog() {
  m_staticIcon.AttachDlgItem(hwnd_, IDC_AUTO_ICON);
  SendMessageA(m_staticIcon.hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon), 0);

  const vl::AutoModeTexts& texts = vl::AutoModeTextsFor(theApp.m_nConfigMode);
  SetWindowTextA(hwnd_, texts.caption);
  SetDlgItemTextA(hwnd_, IDC_AUTO_TEXT_MODE, texts.mode);
  SetDlgItemTextA(hwnd_, IDC_AUTO_TEXT_INFO, texts.info);
  SetDlgItemTextA(hwnd_, IDC_AUTO_TEXT_APPLY, texts.apply);

  if (theApp.m_nConfigMode == vl::ModeManual) {
    m_census = vl::TakeAdapterCensus(theApp);
    if (vl::AsksAdapterQuestion(theApp.m_nConfigMode, m_census)) {
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
  if (theApp.m_nConfigMode == vl::ModeManual) {
    // The radio's own visibility: OK may come (a key typed ahead) before the
    // dialog itself is on the screen.
    bool asked = (GetWindowLongA(Item(IDC_AUTO_ADAPTER_DIALUP), GWL_STYLE) & WS_VISIBLE) != 0;
    bool dialUp = ui::IsItemChecked(hwnd_, IDC_AUTO_ADAPTER_DIALUP);
    theApp.m_nConfigMode = vl::ModeAfterOk(theApp.m_nConfigMode, asked, dialUp, m_census);
  }
  EndDialog(IDOK);
}

bool CAutoModeDlg::OnCommand(int id, int code, HWND) {
  if (id == IDC_AUTO_HELP && code == BN_CLICKED) {
    vl::HelpTopics(theApp, vl::kHelpConfiguration);
    return true;
  }
  return false;
}
