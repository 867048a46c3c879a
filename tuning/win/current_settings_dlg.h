// The Current Settings dialog: the values the program writes, as the registry
// holds them now and as the current choice would write them, in a report
// list; Copy puts the table on the clipboard.
#pragma once
#include <windows.h>

#include <string>

#include "state/app_state.h"
#include "tuning/current_settings.h"
#include "ui/dialog.h"

class CCurrentSettingsDlg : public ui::Dialog {
 public:
  CCurrentSettingsDlg(vl::AppState& app, HWND owner) : app_(app), m_hOwner(owner) {}
  INT_PTR DoModal();

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void FillList();
  // Puts `text` on the clipboard as CF_TEXT; false when the clipboard would
  // not take it.
  bool CopyText(const std::string& text);

  vl::AppState& app_;
  HWND m_hOwner;
  vl::SettingsTable m_table;
};

// Runs the dialog modally, owned by the main window.
void RunCurrentSettingsDialog(vl::AppState& app, HWND owner);
