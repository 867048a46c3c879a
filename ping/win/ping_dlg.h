// The Ping Configuration dialog: the companion's ping settings.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ping/ping_config.h"
#include "state/app_state.h"
#include "ui/dialog.h"

// Runs the Ping Configuration dialog modally: owned by the main window, which
// it disables meanwhile, or alone (no owner) for the "ping" verb.
void RunPingConfigDialog(vl::AppState& app, HWND owner = nullptr);

class CPingConfigDlg : public ui::Dialog, private vl::IPingControls {
 public:
  CPingConfigDlg(vl::AppState& app, HWND owner);
  INT_PTR DoModal() { return ui::Dialog::DoModal(m_hOwner, IDD); }

  static constexpr int IDD = 155;

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  bool OnCommand(int id, int code, HWND control) override;

 private:
  void RepairLargeFontLayout();
  void NotifyCompanion();

  // vl::IPingControls
  bool IsChecked(int id) const override;
  void SetCheck(int id, bool checked) override;
  void Enable(int id, bool enable) override;
  std::string GetText(int id) const override;
  void SetText(int id, const std::string& text) override;
  void FillList(int id, const std::vector<std::string>& items) override;
  int GetSelection(int id) const override;
  void SetSelection(int id, int index) override;
  void SetFocus(int id) override;

  vl::AppState& app_;
  HWND m_hOwner;
  HICON m_hIcon;  // a shared resource icon: nothing to free
  vl::PingConfigRules m_rules;
  bool m_bRepairingInterval = false;
};
