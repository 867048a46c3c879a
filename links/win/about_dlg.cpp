#include "links/win/about_dlg.h"

#include <vector>

#include "app/win/velora_app.h"
#include "links/link_actions.h"
#include "res/resource.h"

static_assert(IDD_ABOUTBOX == 130, "the About box template");

namespace {

// The picture's place in the client area, in pixels.
constexpr int kPictureX = 13, kPictureY = 16, kPictureW = 125, kPictureH = 140;

// The links' cursor from our own resources, where there is none on purpose:
// the links then fall back on their default hand.
HCURSOR OwnLinkCursor() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!FindResourceA(instance, MAKEINTRESOURCEA(IDC_LINK_CURSOR_RES), RT_GROUP_CURSOR))
    return nullptr;
  return LoadCursorA(instance, MAKEINTRESOURCEA(IDC_LINK_CURSOR_RES));
}

}  // namespace

CAboutDlg::CAboutDlg() {
  m_hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_ABOUT));
}

BOOL CAboutDlg::OnInitDialog() {
  m_wndMailLink.AttachDlgItem(hwnd_, IDC_ABOUT_MAIL_LINK);
  m_wndWebLink.AttachDlgItem(hwnd_, IDC_ABOUT_WEB_LINK);

  if (theApp.m_strCommand == "about") {
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  }
  m_wndWebLink.SetTipText(vl::kTipHomePage);
  m_wndWebLink.SetCursorHandle(OwnLinkCursor());
  m_wndMailLink.SetTipText(vl::kTipSupportMail);
  m_wndMailLink.SetCursorHandle(OwnLinkCursor());
  SetCursor(LoadCursor(nullptr, IDC_ARROW));
  CenterOnScreen();
  return TRUE;
}

void CAboutDlg::CenterOnScreen() {
  // The framework centred its dialogs; a box without owner would otherwise
  // open in the screen's corner.
  RECT area, r;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  GetWindowRect(hwnd_, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(hwnd_, nullptr, (area.left + area.right) / 2 - w / 2,
               (area.top + area.bottom) / 2 - h / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  HDC memory = CreateCompatibleDC(dc);
  HBITMAP bitmap = nullptr;
  HPALETTE palette = nullptr;
  if (memory && LoadBitmapPalette(IDB_ABOUT, &bitmap, &palette)) {
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HPALETTE oldPalette = nullptr;
    if ((GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) && palette) {
      oldPalette = SelectPalette(dc, palette, FALSE);
      RealizePalette(dc);
    }
    BitBlt(dc, kPictureX, kPictureY, kPictureW, kPictureH, memory, 0, 0, SRCCOPY);
    if (oldPalette) SelectPalette(dc, oldPalette, FALSE);
    SelectObject(memory, oldBitmap);
  }
  if (palette) DeleteObject(palette);
  if (bitmap) DeleteObject(bitmap);
  if (memory) DeleteDC(memory);
  EndPaint(hwnd_, &ps);
}

BOOL LoadBitmapPalette(UINT resourceId, HBITMAP* bitmap, HPALETTE* palette) {
  *bitmap = nullptr;
  *palette = nullptr;
  HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId),
                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
  if (!image) return FALSE;
  *bitmap = static_cast<HBITMAP>(image);

  DIBSECTION ds = {};
  GetObjectA(*bitmap, sizeof ds, &ds);
  // Beyond 8 bits per pixel there is no colour table to take over.
  int colours = 257;
  if (ds.dsBmih.biClrUsed)
    colours = static_cast<int>(ds.dsBmih.biClrUsed > 257 ? 257 : ds.dsBmih.biClrUsed);
  else if (ds.dsBmih.biBitCount <= 8)
    colours = 1 << ds.dsBmih.biBitCount;

  HDC screen = GetDC(nullptr);
  if (colours <= 256) {
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, *bitmap);
    std::vector<RGBQUAD> table(colours);
    UINT got = GetDIBColorTable(memory, 0, colours, table.data());
    SelectObject(memory, old);
    DeleteDC(memory);

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
    if (got > 0) *palette = CreatePalette(lp);
  } else {
    *palette = CreateHalftonePalette(screen);
  }
  ReleaseDC(nullptr, screen);
  return TRUE;
}

void RunAboutBox() {
  CAboutDlg dialog;
  dialog.DoModal();
}
