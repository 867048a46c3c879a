#include "form/win/form_view.h"

#include "form/form_layout.h"
#include "form/manual_rules.h"
#include "form/win/auto_mode_dlg.h"
#include "ping/win/ping_dlg.h"
#include "res/resource.h"
#include "runtime/win/startup_trace.h"
#include "state/os_detect.h"
#include "ui/geometry.h"
#include "ui/window.h"

// The notification codes the form's behaviour reads, as the SDK has them.
static_assert(vl::kBnClicked == BN_CLICKED && vl::kStnClicked == STN_CLICKED &&
              vl::kCbnEditUpdate == CBN_EDITUPDATE && vl::kEnUpdate == EN_UPDATE);

namespace {

// The three lists: their items and the start item each selects.
struct StartList {
  int id;
  std::vector<std::string> (*items)();
  const char* start;
};
const StartList kStartLists[] = {
    {IDC_RWIN_COMBO, &vl::RwinItems, vl::kRwinStartItem},
    {IDC_NDI_COMBO, &vl::NdiItems, vl::kNdiStartItem},
    {IDC_KEEPALIVE_COMBO, &vl::KeepAliveItems, vl::kKeepAliveStartItem},
};

bool IsList(int controlId) {
  for (const StartList& l : kStartLists)
    if (l.id == controlId) return true;
  return false;
}

}  // namespace

CMainFormView::CMainFormView(vl::AppState& app)
    : app_(app),
      m_linkMtu(app),
      m_linkRwin(app),
      m_linkTtl(app),
      m_linkKeepAlive(app),
      m_linkPmtu(app),
      m_linkNdi(app),
      m_form(app, *this) {}

bool CMainFormView::Create(HWND frame) {
  if (!CreateChild(frame, IDD_VELORA_FORM)) return false;
  vl::TraceStep("form: the template's 56 controls");
  // The frame knows its view by the framework's pane id.
  SetWindowLongPtrA(hwnd_, GWLP_ID, AFX_IDW_PANE_FIRST);
  OnInitialUpdate();
  // A view is visible from its creation, although the template is not. Shown
  // only now, with the frame still hidden: while the form is hidden, what its
  // initial update moves, resizes and fills is not redrawn each time.
  ShowWindow(hwnd_, SW_SHOW);
  return true;
}

void CMainFormView::DoDataExchange() {
  const struct {
    ui::Wnd* control;
    int id;
  } items[] = {
      {&m_linkMtu, IDC_HELP_MTU},          {&m_linkRwin, IDC_HELP_RWIN},
      {&m_linkTtl, IDC_HELP_TTL},          {&m_linkKeepAlive, IDC_HELP_KEEPALIVE},
      {&m_linkPmtu, IDC_HELP_PMTU},        {&m_linkNdi, IDC_HELP_NDI},
      {&m_btnDialUp, IDC_MODE_DIALUP},     {&m_btnPingConfig, IDC_PING_CONFIG},
  };
  for (const auto& item : items) item.control->AttachDlgItem(hwnd_, item.id);
}

void CMainFormView::OnInitialUpdate() {
  DoDataExchange();
  vl::TraceStep("form: six links attached (fonts, fitted, cursors)");
  app_.m_pFormView = this;
  app_.m_strOsName = vl::DetectOsName(*app_.sys.registry);
  app_.m_eWinVersion = vl::DetectWindowsVersion(*app_.sys.registry);
  AdaptToFontSize();
  vl::TraceStep("form: Windows version, font-size layout");

  const HCURSOR linkCursor = ProgramLinkCursor();
  struct {
    CHyperLink* link;
    const char* tip;
  } const links[] = {
      {&m_linkMtu, "Click for MTU help..."},
      {&m_linkRwin, "Click for RWIN help..."},
      {&m_linkTtl, "Click for TTL help..."},
      {&m_linkKeepAlive, "Click for Session Keep Alive help..."},
      {&m_linkPmtu, "Click for PMTU help..."},
      {&m_linkNdi, "Click for NDI Cache help..."},
  };
  for (const auto& l : links) {
    l.link->SetTipText(l.tip);
    l.link->SetCursorHandle(linkCursor);
  }
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));

  // The masks hide the group frames behind the three short links.
  for (int mask : {IDC_MASK_KEEPALIVE, IDC_MASK_PMTU, IDC_MASK_NDI}) SetDlgItemTextA(hwnd_, mask, " ");

  // Each list shows its start item from the first paint on; the items
  // themselves come after the first idle pass (FillLists). Until then the
  // lists are disabled, as every setting control is until a mode is chosen,
  // so no one can open one or type into it.
  for (const StartList& l : kStartLists)
    SetDlgItemTextA(hwnd_, l.id, ui::ComboItemWithPrefix(l.items(), l.start).c_str());
  m_form.m_strLastMtu.clear();
  vl::TraceStep("form: tip texts, masks, the lists' start texts");
}

void CMainFormView::FillLists() {
  if (m_bListsFilled || !hwnd_) return;
  m_bListsFilled = true;
  for (const StartList& l : kStartLists) ui::FillComboBox(Item(l.id), l.items(), l.start);
}

void CMainFormView::AdaptToFontSize() {
  RECT apply;
  GetWindowRect(Item(IDC_APPLY), &apply);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&apply), 2);
  vl::FontLayoutPlan plan = vl::PlanFontLayout(app_, apply.right - apply.left);

  const HWND frame = GetParent(hwnd_);
  if (plan.placeFrame && frame) {
    // The view's own placement gives the positions the frame keeps.
    ui::PlaceFrame(frame,
                   {vl::kLargeFontFrameRect.left, vl::kLargeFontFrameRect.top,
                    vl::kLargeFontFrameRect.right, vl::kLargeFontFrameRect.bottom},
                   hwnd_);
    if (plan.centreFrame) ui::CentreWindow(frame);
  }
  if (plan.moveControls) ui::MoveItems(hwnd_, vl::kLargeFontPositions);
  for (int list : vl::kLayoutLists)
    SendDlgItemMessageA(hwnd_, list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), plan.listItemHeight);
}

// ---- What the tuning engine reads ----

bool CMainFormView::IsChecked(int controlId) const { return ui::IsItemChecked(hwnd_, controlId); }

std::string CMainFormView::GetText(int controlId) const { return ui::GetItemText(hwnd_, controlId); }

void CMainFormView::SetCheck(int controlId, bool checked) {
  ui::SetItemCheck(hwnd_, controlId, checked);
}

// ---- The controls for the form's behaviour ----

vl::WindowHandle CMainFormView::Handle() const { return reinterpret_cast<vl::WindowHandle>(hwnd_); }

// The behaviour's first use of a list brings its items, should the first
// idle pass not have brought them yet.

void CMainFormView::Enable(int controlId, bool enable) {
  if (IsList(controlId)) FillLists();
  ui::EnableItem(hwnd_, controlId, enable);
}

void CMainFormView::SetText(int controlId, const std::string& text) {
  if (IsList(controlId)) FillLists();
  ui::SetItemText(hwnd_, controlId, text);
}

void CMainFormView::Show(int controlId, bool show) {
  ShowWindow(Item(controlId), show ? SW_SHOWNORMAL : SW_HIDE);
}

void CMainFormView::Focus(int controlId) { SetFocus(Item(controlId)); }

int CMainFormView::ListSelection(int listId) {
  FillLists();
  return static_cast<int>(SendDlgItemMessageA(hwnd_, listId, CB_GETCURSEL, 0, 0));
}

void CMainFormView::SelectListItem(int listId, int index) {
  FillLists();
  SendDlgItemMessageA(hwnd_, listId, CB_SETCURSEL, index, 0);
}

vl::AutoModeAnswer CMainFormView::RunAutoModeDialog(int configMode) {
  // No parent of its own; the main window stays locked while it is open.
  CAutoModeDlg dlg(app_, GetParent(hwnd_), configMode);  // the frame
  dlg.DoModal();
  return dlg.Answer();
}

// ---- Messages ----

bool CMainFormView::OnCommand(int id, int code, HWND) {
  // While a modal window runs over the frame, the form takes no clicks from
  // the user; one posted to it must not run beneath that window either.
  if ((code == BN_CLICKED || code == STN_CLICKED) && !IsWindowEnabled(GetParent(hwnd_)))
    return true;
  if (id == IDC_PING_CONFIG && code == BN_CLICKED) {
    RunPingConfigDialog(app_, GetParent(hwnd_));  // owned by the frame
    return true;
  }
  // A list's text before its items came is its start text, set by the
  // program; a disabled list takes no typing.
  if (code == CBN_EDITUPDATE && IsList(id) && !m_bListsFilled) return true;
  return m_form.OnCommand(id, code);
}

bool CMainFormView::DialogMessage(UINT msg, WPARAM wp, LPARAM, INT_PTR*) {
  switch (msg) {
    case WM_TIMER:
      m_tray.OnTimer(hwnd_, wp);
      return false;  // and the default handling
    case WM_DESTROY:
      m_tray.OnDestroy();
      // The engine reads the controls through the view: not once they are gone.
      if (app_.m_pFormView == this) app_.m_pFormView = nullptr;
      return false;
    default:
      return false;
  }
}
