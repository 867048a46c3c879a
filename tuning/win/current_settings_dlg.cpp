#include "tuning/win/current_settings_dlg.h"

#include <commctrl.h>

#include <cstring>

#include "res/resource.h"
#include "ui/geometry.h"

static_assert(IDD_CURRENT_SETTINGS == 170, "the Current Settings template");

namespace {
constexpr int kClipboardTries = 10;
constexpr DWORD kClipboardRetryMs = 20;
}  // namespace

void RunCurrentSettingsDialog(vl::AppState& app, HWND owner) {
  CCurrentSettingsDlg dialog(app, owner);
  dialog.DoModal();
}

INT_PTR CCurrentSettingsDlg::DoModal() {
  // Read before the window opens, so that the list is whole when it shows.
  m_table = vl::ReadCurrentSettings(app_);
  return ui::Dialog::DoModal(m_hOwner, IDD_CURRENT_SETTINGS);
}

BOOL CCurrentSettingsDlg::OnInitDialog() {
  FillList();
  ui::CentreWindow(hwnd_, m_hOwner);
  return TRUE;
}

void CCurrentSettingsDlg::FillList() {
  HWND list = Item(IDC_SETTINGS_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (size_t c = 0; c < m_table.columns.size(); ++c) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<char*>(m_table.columns[c].c_str());
    column.cx = 100;
    column.iSubItem = static_cast<int>(c);
    SendMessageA(list, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
  }
  int index = 0;
  for (const vl::SettingRow& row : m_table.rows) {
    const std::vector<std::string> cells = vl::RowCells(m_table, row);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(cells[0].c_str());
    index = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) break;
    for (size_t c = 1; c < cells.size(); ++c) {
      item.iSubItem = static_cast<int>(c);
      item.pszText = const_cast<char*>(cells[c].c_str());
      SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
    }
    ++index;
  }
  // Each column as wide as its widest cell or its heading. Not every list
  // view counts the heading in LVSCW_AUTOSIZE_USEHEADER (Wine's does not), so
  // the heading is measured as well; a heading has a margin on each side.
  const int headingMargins = 6 * GetSystemMetrics(SM_CXEDGE);
  for (size_t c = 0; c < m_table.columns.size(); ++c) {
    SendMessageA(list, LVM_SETCOLUMNWIDTH, c, LVSCW_AUTOSIZE_USEHEADER);
    const int fitted = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, c, 0));
    const int heading =
        static_cast<int>(SendMessageA(list, LVM_GETSTRINGWIDTHA, 0,
                                      reinterpret_cast<LPARAM>(m_table.columns[c].c_str()))) +
        headingMargins;
    if (heading > fitted) SendMessageA(list, LVM_SETCOLUMNWIDTH, c, heading);
  }
}

bool CCurrentSettingsDlg::OnCommand(int id, int code, HWND) {
  if (id != IDC_SETTINGS_COPY || code != BN_CLICKED) return false;
  if (!CopyText(vl::SettingsTableText(m_table))) MessageBeep(MB_ICONEXCLAMATION);
  return true;
}

bool CCurrentSettingsDlg::CopyText(const std::string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
  if (!memory) return false;
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
  } else {
    GlobalFree(memory);
    return false;
  }
  // Another program may hold the clipboard for a moment (a clipboard viewer
  // reading what was put there last): a few tries before giving up.
  bool opened = false;
  for (int attempt = 0; attempt < kClipboardTries && !opened; ++attempt) {
    if (attempt) Sleep(kClipboardRetryMs);
    opened = OpenClipboard(hwnd_) != FALSE;
  }
  if (!opened) {
    GlobalFree(memory);
    return false;
  }
  // Once the clipboard takes the memory it is the clipboard's to free.
  const bool taken = EmptyClipboard() && SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!taken) GlobalFree(memory);
  return taken;
}
