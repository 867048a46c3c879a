#include "links/win/hyperlink.h"

#include <commctrl.h>

#include "links/fit_to_text.h"
#include "links/link_actions.h"
#include "platform/win/system_library.h"
#include "res/resource.h"
#include "ui/gdi.h"

// The static styles the fitting reads, as the SDK has them.
static_assert(vl::kSsCenter == SS_CENTER && vl::kSsRight == SS_RIGHT &&
              vl::kSsTypeMask == SS_TYPEMASK && vl::kSsCenterImage == SS_CENTERIMAGE);

#ifndef IDC_HAND
#define IDC_HAND MAKEINTRESOURCE(32649)
#endif

namespace {

constexpr UINT_PTR kToolId = 1;
// The help program's hand, its cursor resource 106.
constexpr WORD kHelpHandCursor = 106;

bool SameRect(const vl::LinkRect& a, const vl::LinkRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The window whose message boxes a link's errors belong to: the dialog or
// frame it sits in.
HWND TopLevelOf(HWND hwnd) {
  while (hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
    HWND parent = GetParent(hwnd);
    if (!parent) break;
    hwnd = parent;
  }
  return hwnd;
}

}  // namespace

CHyperLink::~CHyperLink() {
  // Only an object that goes before its window has anything to undo: the
  // font is freed with the object, so the control gets its own back, and the
  // tooltip, which its dialog would destroy with itself, goes now.
  if (!hwnd_) return;
  if (m_font) SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(m_hOriginalFont), FALSE);
  if (m_hToolTip) DestroyWindow(m_hToolTip);
}

void CHyperLink::PreSubclassWindow() {
  // Statics report clicks only with SS_NOTIFY.
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  SetWindowLongA(hwnd_, GWL_STYLE, style | SS_NOTIFY);

  std::string windowText = ui::GetText(hwnd_);
  if (m_strTipText.empty()) m_strTipText = windowText;
  if (windowText.empty()) SetWindowTextA(hwnd_, m_strTipText.c_str());

  m_hOriginalFont = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
  LOGFONTA lf = {};
  HGDIOBJ source = m_hOriginalFont ? static_cast<HGDIOBJ>(m_hOriginalFont)
                                   : GetStockObject(DEFAULT_GUI_FONT);
  GetObjectA(source, sizeof lf, &lf);
  lf.lfUnderline = static_cast<BYTE>(m_bUnderline);
  m_font.reset(CreateFontIndirectA(&lf));
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);

  FitToText();
  // The default hand is loaded when the pointer first asks for a cursor
  // (WM_SETCURSOR), and the tooltip comes with its first visit
  // (EnsureToolTip): neither is seen before, and a form of six links would
  // pay for both at its start-up.
}

void CHyperLink::EnsureToolTip(UINT msg, WPARAM wp, LPARAM lp) {
  if (m_hToolTip) return;
  m_hToolTip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  if (!m_hToolTip) return;
  TOOLINFOA ti = {};
  ti.cbSize = sizeof ti;
  // The tooltip watches the control's mouse messages itself: modal dialogs
  // run loops of their own in which no one would relay them.
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = hwnd_;
  ti.uId = kToolId;
  GetClientRect(hwnd_, &ti.rect);
  ti.lpszText = const_cast<char*>(m_strTipText.c_str());
  SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  // The message that brought it was not seen by it.
  MSG relayed = {hwnd_, msg, wp, lp, static_cast<DWORD>(GetMessageTime()), {}};
  DWORD pos = GetMessagePos();
  relayed.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
  SendMessageA(m_hToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

void CHyperLink::SetTipText(const std::string& text) {
  m_strTipText = text;
  if (!hwnd_) return;
  FitToText();
  if (m_hToolTip) {
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = hwnd_;
    ti.uId = kToolId;
    ti.lpszText = const_cast<char*>(m_strTipText.c_str());
    SendMessageA(m_hToolTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

void CHyperLink::SetVisited(BOOL visited) {
  m_bVisited = visited;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CHyperLink::SetCursorHandle(HCURSOR cursor) {
  if (cursor) {
    m_ownCursor.reset();
    m_hLinkCursor = cursor;
  }
  // None: the default hand, once the pointer asks for a cursor.
}

void CHyperLink::FitToText() {
  if (!hwnd_ || !m_bAdjustToFit) return;
  RECT r;
  GetWindowRect(hwnd_, &r);
  HWND parent = GetParent(hwnd_);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  const vl::LinkRect now = {r.left, r.top, r.right, r.bottom};
  const std::string text = ui::GetText(hwnd_);
  unsigned style = static_cast<unsigned>(GetWindowLongA(hwnd_, GWL_STYLE));
  // Fitted already to this very text, font and style where it stands: the
  // same measure would give the same place (the form sets each link's tip
  // text right after attaching it, and each setting fits).
  if (m_fit.done && m_fit.text == text && m_fit.font == m_font.get() && m_fit.style == style &&
      SameRect(m_fit.rect, now))
    return;

  SIZE extent = ui::MeasureText(hwnd_, text, m_font.get());
  vl::LinkRect fitted = vl::FitRectToText(now, extent.cx, extent.cy, style);
  SetWindowPos(hwnd_, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
               fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
  m_fit = {true, text, m_font.get(), style, fitted};
}

void CHyperLink::LoadDefaultCursor() {
  if (m_hLinkCursor) return;
  // Windows 98, 2000 and every later one have a hand of their own.
  m_hLinkCursor = LoadCursor(nullptr, IDC_HAND);
  if (m_hLinkCursor) return;
  // Windows 95 and NT 4 do not; their help program has one. Its file is
  // mapped as data: nothing of it runs and none of its imports is loaded
  // just to read one resource.
  char folder[MAX_PATH + 1] = {};
  UINT n = GetWindowsDirectoryA(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  const std::string path = std::string(folder) + "\\winhlp32.exe";
  const vl::ScopedModule help(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!help) return;
  // A copy of our own: the file's cursor goes with the file.
  if (HCURSOR hand = LoadCursorA(help.get(), MAKEINTRESOURCEA(kHelpHandCursor))) {
    m_ownCursor.reset(CopyCursor(hand));
    m_hLinkCursor = m_ownCursor.get();
  }
}

void CHyperLink::Redraw() {
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CHyperLink::OnMouseMove(LPARAM lp) {
  if (!m_bOverControl) {
    m_bOverControl = TRUE;
    Redraw();
    SetCapture(hwnd_);
    return;
  }
  RECT client;
  GetClientRect(hwnd_, &client);
  POINT pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  if (!PtInRect(&client, pt)) {
    m_bOverControl = FALSE;
    ReleaseCapture();
    Redraw();
  }
}

void CHyperLink::OnClicked() {
  std::string tip = m_strTipText;
  vl::LinkOutcome outcome =
      vl::ClickLink(app_, tip, reinterpret_cast<vl::WindowHandle>(TopLevelOf(hwnd_)));
  switch (outcome) {
    case vl::LinkOutcome::Opened:
    case vl::LinkOutcome::HelpShown:
      SetVisited(TRUE);
      break;
    case vl::LinkOutcome::OpenFailed:
      m_bVisited = FALSE;
      break;
    case vl::LinkOutcome::Nothing:
      break;
  }
}

LRESULT CHyperLink::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SETCURSOR:
      if (!m_bDefaultCursorLooked) {
        m_bDefaultCursorLooked = TRUE;
        LoadDefaultCursor();
      }
      if (m_hLinkCursor) {
        SetCursor(m_hLinkCursor);
        return TRUE;
      }
      break;
    case WM_MOUSEMOVE: {
      EnsureToolTip(msg, wp, lp);
      LRESULT r = Default(msg, wp, lp);
      OnMouseMove(lp);
      return r;
    }
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a box opened by the click): the
      // pointer is no longer known to be over the link.
      if (m_bOverControl && reinterpret_cast<HWND>(lp) != hwnd_) {
        m_bOverControl = FALSE;
        Redraw();
      }
      break;
  }
  return Default(msg, wp, lp);
}

bool CHyperLink::OnReflect(UINT msg, WPARAM wp, LPARAM, LRESULT* result) {
  if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
    OnClicked();
    *result = 0;
    return true;
  }
  if (msg == WM_CTLCOLORSTATIC) {
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, m_bOverControl ? m_crHoverColour
                                    : (m_bVisited ? m_crVisitedColour : m_crLinkColour));
    SetBkMode(dc, TRANSPARENT);
    *result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    return true;
  }
  return false;
}

HCURSOR ProgramLinkCursor() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!FindResourceA(instance, MAKEINTRESOURCEA(IDC_LINK_CURSOR_RES), RT_GROUP_CURSOR))
    return nullptr;
  return LoadCursorA(instance, MAKEINTRESOURCEA(IDC_LINK_CURSOR_RES));
}
