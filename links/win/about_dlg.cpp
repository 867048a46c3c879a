#include "links/win/about_dlg.h"

#include <vector>

#include "links/link_actions.h"
#include "res/resource.h"
#include "ui/gdi.h"
#include "ui/geometry.h"

static_assert(IDD_ABOUTBOX == 130, "the About box template");

namespace {

// The picture's place in the client area, in pixels.
constexpr int kPictureX = 13, kPictureY = 16, kPictureW = 125, kPictureH = 140;

}  // namespace

CAboutDlg::CAboutDlg(vl::AppState& app, HWND owner)
    : m_hOwner(owner),
      m_wndMailLink(app),
      m_wndWebLink(app),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ABOUT))) {}

BOOL CAboutDlg::OnInitDialog() {
  m_wndMailLink.AttachDlgItem(hwnd_, IDC_ABOUT_MAIL_LINK);
  m_wndWebLink.AttachDlgItem(hwnd_, IDC_ABOUT_WEB_LINK);
  LoadBitmapPalette(IDB_ABOUT, &m_bitmap, &m_palette);

  // Shown on its own, the box stands for the program in the task bar.
  if (!m_hOwner) ui::SetIcons(hwnd_, m_hIcon);
  m_wndWebLink.SetTipText(vl::kTipHomePage);
  m_wndWebLink.SetCursorHandle(ProgramLinkCursor());
  m_wndMailLink.SetTipText(vl::kTipSupportMail);
  m_wndMailLink.SetCursorHandle(ProgramLinkCursor());
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  // The framework centred its dialogs; a box without owner would otherwise
  // open in the screen's corner.
  ui::CentreWindow(hwnd_, m_hOwner);
  return TRUE;
}

bool CAboutDlg::OnCommand(int id, int code, HWND) {
  if (id == IDC_ABOUT_CLOSE && code == BN_CLICKED) {
    EndDialog(IDOK);
    return true;
  }
  return false;
}

bool CAboutDlg::DialogMessage(UINT msg, WPARAM, LPARAM, INT_PTR* result) {
  if (msg != WM_PAINT) return false;
  OnPaint();
  *result = TRUE;
  return true;
}

void CAboutDlg::OnPaint() {
  ui::ScopedPaint dc(hwnd_);
  if (!m_bitmap) return;
  ui::ScopedMemDC memory(dc);
  ui::ScopedSelectObject picture(memory, m_bitmap.get());
  bool paletteDisplay = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
  ui::ScopedSelectPalette palette(dc, paletteDisplay ? m_palette.get() : nullptr);
  BitBlt(dc, kPictureX, kPictureY, kPictureW, kPictureH, memory, 0, 0, SRCCOPY);
}

bool LoadBitmapPalette(UINT resourceId, ui::ScopedGdiObj<HBITMAP>* bitmap,
                       ui::ScopedGdiObj<HPALETTE>* palette) {
  bitmap->reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0,
                                                LR_CREATEDIBSECTION)));
  palette->reset();
  if (!*bitmap) return false;

  DIBSECTION ds = {};
  GetObjectA(bitmap->get(), sizeof ds, &ds);
  // Beyond 8 bits per pixel there is no colour table to take over.
  int colours = 257;
  if (ds.dsBmih.biClrUsed)
    colours = static_cast<int>(ds.dsBmih.biClrUsed > 257 ? 257 : ds.dsBmih.biClrUsed);
  else if (ds.dsBmih.biBitCount <= 8)
    colours = 1 << ds.dsBmih.biBitCount;

  ui::ScopedGetDC screen(nullptr);
  if (colours > 256) {
    palette->reset(CreateHalftonePalette(screen));
    return true;
  }
  std::vector<RGBQUAD> table(colours);
  UINT got = 0;
  {
    ui::ScopedMemDC memory(screen);
    ui::ScopedSelectObject select(memory, bitmap->get());
    got = GetDIBColorTable(memory, 0, colours, table.data());
  }
  if (got == 0) return true;
  std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colours);
  LOGPALETTE* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(got);
  for (UINT i = 0; i < got; ++i) {
    lp->palPalEntry[i].peRed = table[i].rgbRed;
    lp->palPalEntry[i].peGreen = table[i].rgbGreen;
    lp->palPalEntry[i].peBlue = table[i].rgbBlue;
    lp->palPalEntry[i].peFlags = 0;
  }
  palette->reset(CreatePalette(lp));
  return true;
}

void RunAboutBox(vl::AppState& app, HWND owner) {
  CAboutDlg dialog(app, owner);
  dialog.DoModal();
}
