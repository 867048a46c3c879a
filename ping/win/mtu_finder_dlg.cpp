#include "ping/win/mtu_finder_dlg.h"

#include "state/app_state.h"
#include "res/resource.h"
#include "ui/geometry.h"

static_assert(IDD_MTU_FINDER == 175, "the Find Largest MTU template");

namespace {
// Posted by the probe's thread when it has queued a step or its end.
constexpr UINT WM_PROBE_EVENTS = WM_APP + 23;
// A host name of the longest a name server answers for (RFC 1035).
constexpr WPARAM kHostMaxChars = 255;
}  // namespace

unsigned RunMtuFinderDialog(vl::AppState& app, HWND owner) {
  CMtuFinderDlg dialog(app, owner);
  return dialog.DoModal();
}

CMtuFinderDlg::CMtuFinderDlg(vl::AppState& app, HWND owner)
    : m_hOwner(owner), m_thread(m_net), m_rules(app, *this, m_thread) {}

unsigned CMtuFinderDlg::DoModal() {
  ui::Dialog::DoModal(m_hOwner, IDD_MTU_FINDER);
  return m_nUseMtu;
}

BOOL CMtuFinderDlg::OnInitDialog() {
  m_thread.Attach(hwnd_, WM_PROBE_EVENTS);
  SendDlgItemMessageA(hwnd_, IDC_FINDMTU_HOST, EM_LIMITTEXT, kHostMaxChars, 0);
  m_rules.Init(m_net);
  ui::CentreWindow(hwnd_, m_hOwner);
  return TRUE;
}

// Enter presses the default button, Start; the dialog manager sends it as
// that button's click, so this comes only from code that sends IDOK.
void CMtuFinderDlg::OnOK() { m_rules.OnStart(); }

void CMtuFinderDlg::OnCancel() {
  if (m_rules.OnClose()) EndDialog(IDCANCEL);
}

bool CMtuFinderDlg::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_FINDMTU_START: m_rules.OnStart(); return true;
    case IDC_FINDMTU_STOP: m_rules.OnStop(); return true;
    case IDC_FINDMTU_USE: m_rules.OnUseMtu(); return true;
    case IDC_FINDMTU_HELP: m_rules.OnHelp(); return true;
    default: return false;
  }
}

bool CMtuFinderDlg::DialogMessage(UINT msg, WPARAM, LPARAM, INT_PTR* result) {
  switch (msg) {
    case WM_PROBE_EVENTS:
      TakeProbeEvents();
      *result = TRUE;
      return true;
    case WM_DESTROY:
      // The window may go without Close: its owner destroyed beneath it when
      // the program is closed. The probe must not outlive it.
      m_thread.Stop();
      m_thread.Join();
      return false;
    default:
      return false;
  }
}

void CMtuFinderDlg::TakeProbeEvents() {
  for (const CProbeThread::Event& e : m_thread.TakeEvents()) {
    if (!hwnd_) return;  // the end closed the dialog
    if (e.finished)
      m_rules.OnFinished(e.result);
    else
      m_rules.OnStep(e.step);
  }
}

std::string CMtuFinderDlg::GetText(int id) const { return ui::GetItemText(hwnd_, id); }
void CMtuFinderDlg::SetText(int id, const std::string& text) { ui::SetItemText(hwnd_, id, text); }

void CMtuFinderDlg::Enable(int id, bool enable) {
  // A button that goes grey while it has the focus would leave the keyboard
  // nowhere: the focus moves on first.
  HWND item = Item(id);
  if (!enable && GetFocus() == item) SendMessageA(hwnd_, WM_NEXTDLGCTL, 0, FALSE);
  ui::EnableItem(hwnd_, id, enable);
}

void CMtuFinderDlg::Focus(int id) {
  SendMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE);
}

void CMtuFinderDlg::ClearList(int id) { SendDlgItemMessageA(hwnd_, id, LB_RESETCONTENT, 0, 0); }

void CMtuFinderDlg::AddLine(int id, const std::string& text) {
  const LRESULT index =
      SendDlgItemMessageA(hwnd_, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index >= 0) SendDlgItemMessageA(hwnd_, id, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void CMtuFinderDlg::Close(unsigned mtu) {
  m_nUseMtu = mtu;
  EndDialog(mtu ? IDOK : IDCANCEL);
}
