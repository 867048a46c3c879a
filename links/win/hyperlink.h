// A static text control turned into a link: colour, hand cursor, tooltip,
// hover colour, and an action chosen by its tip text.
#pragma once
#include <windows.h>

#include <string>

#include "links/fit_to_text.h"
#include "state/app_state.h"
#include "ui/cursor.h"
#include "ui/gdi.h"
#include "ui/window.h"

class CHyperLink : public ui::Wnd {
 public:
  // The click opens what the tip text names (a help topic, the maker's
  // pages) through `app`, which outlives the link.
  explicit CHyperLink(vl::AppState& app) : app_(app) {}
  ~CHyperLink() override;

  void SetTipText(const std::string& text);
  const std::string& TipText() const { return m_strTipText; }
  void SetVisited(BOOL visited);
  // A null handle means the default hand cursor.
  void SetCursorHandle(HCURSOR cursor);
  // Sizes the window to its text in the link font.
  void FitToText();

 protected:
  void PreSubclassWindow() override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void LoadDefaultCursor();
  // Creates the tooltip, once, and hands it the mouse message that came.
  void EnsureToolTip(UINT msg, WPARAM wp, LPARAM lp);
  void OnClicked();
  void OnMouseMove(LPARAM lp);
  void Redraw();

  vl::AppState& app_;
  COLORREF m_crLinkColour = RGB(0, 0, 238);
  COLORREF m_crVisitedColour = RGB(0, 0, 238);
  COLORREF m_crHoverColour = RGB(255, 92, 0);
  BOOL m_bOverControl = FALSE;
  BOOL m_bVisited = FALSE;
  BOOL m_bUnderline = FALSE;
  BOOL m_bAdjustToFit = TRUE;
  std::string m_strTipText;
  ui::ScopedGdiObj<HFONT> m_font;  // the link font, underlined or not
  HFONT m_hOriginalFont = nullptr;
  // The cursor shown over the link: the system's hand (shared), or on the
  // Windows without one a copy of the help program's (ours).
  HCURSOR m_hLinkCursor = nullptr;
  ui::ScopedCursor m_ownCursor;
  BOOL m_bDefaultCursorLooked = FALSE;  // the default hand looked for once
  // What the window was last fitted to, and where it went.
  struct {
    bool done;
    std::string text;
    HFONT font;
    unsigned style;
    vl::LinkRect rect;
  } m_fit = {false, std::string(), nullptr, 0, {0, 0, 0, 0}};
  HWND m_hToolTip = nullptr;
};

// The cursor the program's own resources give its links. They carry none on
// purpose, so this is null and the links show their default hand.
HCURSOR ProgramLinkCursor();
