// The About box: picture, the maker's web and mail links, Close.
#pragma once
#include <windows.h>

#include "links/win/hyperlink.h"
#include "ui/dialog.h"
#include "ui/gdi.h"

class CAboutDlg : public ui::Dialog {
 public:
  // With an owner (the main window), the owner is disabled while the box
  // runs; without, the box stands alone with the program's icon.
  CAboutDlg(vl::AppState& app, HWND owner = nullptr);
  INT_PTR DoModal() { return ui::Dialog::DoModal(m_hOwner, kTemplateId); }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool DialogMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result) override;

 private:
  static constexpr int kTemplateId = 130;
  void OnPaint();

  HWND m_hOwner;
  CHyperLink m_wndMailLink;
  CHyperLink m_wndWebLink;
  HICON m_hIcon;  // a shared resource icon: nothing to free
  // The picture and its palette, made once when the box opens.
  ui::ScopedGdiObj<HBITMAP> m_bitmap;
  ui::ScopedGdiObj<HPALETTE> m_palette;
};

// Loads a bitmap resource as a DIB section and makes the palette its colours
// need on a palette display: its own colour table up to 256 colours, a
// halftone palette beyond. False when the bitmap is missing.
bool LoadBitmapPalette(UINT resourceId, ui::ScopedGdiObj<HBITMAP>* bitmap,
                       ui::ScopedGdiObj<HPALETTE>* palette);

// Runs the About box modally: owned by the main window, or alone (no owner)
// for the "about" verb.
void RunAboutBox(vl::AppState& app, HWND owner = nullptr);
