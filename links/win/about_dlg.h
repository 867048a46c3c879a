// The About box: picture, the maker's web and mail links, Close.
#pragma once
#include <windows.h>

#include "links/win/hyperlink.h"
#include "ui/dialog.h"

class CAboutDlg : public ui::Dialog {
 public:
  CAboutDlg();
  INT_PTR DoModal() { return ui::Dialog::DoModal(nullptr, kTemplateId); }

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool DialogMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result) override;

 private:
  static constexpr int kTemplateId = 130;
  void OnPaint();
  void CenterOnScreen();

  CHyperLink m_wndMailLink;
  CHyperLink m_wndWebLink;
  HICON m_hIcon = nullptr;
};

// Loads a bitmap resource as a DIB section and makes the palette its colours
// need on a palette display: its own colour table up to 256 colours, a
// halftone palette beyond. FALSE when the bitmap is missing.
BOOL LoadBitmapPalette(UINT resourceId, HBITMAP* bitmap, HPALETTE* palette);

// Runs the About box modally with no owner.
void RunAboutBox();
