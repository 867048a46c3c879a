// The Find Largest MTU dialog: the host, Start and Stop, the list of probes
// as they end, the result line, Use This MTU, Close and Help. The probe runs
// on a thread of the dialog's own.
#pragma once
#include <windows.h>

#include <string>

#include "ping/mtu_finder.h"
#include "ping/win/probe_thread.h"
#include "net/win/win_path_network.h"
#include "ui/dialog.h"

namespace vl {
struct AppState;
}

// Runs the dialog modally, owned by the main window: the MTU to use on the
// form after Use This MTU, 0 for none.
unsigned RunMtuFinderDialog(vl::AppState& app, HWND owner);

class CMtuFinderDlg : public ui::Dialog, private vl::IMtuFinderControls {
 public:
  CMtuFinderDlg(vl::AppState& app, HWND owner);
  // The MTU to use on the form, 0 for none.
  unsigned DoModal();

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool DialogMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result) override;

 private:
  void TakeProbeEvents();

  // vl::IMtuFinderControls
  std::string GetText(int id) const override;
  void SetText(int id, const std::string& text) override;
  void Enable(int id, bool enable) override;
  void Focus(int id) override;
  void ClearList(int id) override;
  void AddLine(int id, const std::string& text) override;
  void Close(unsigned mtu) override;

  HWND m_hOwner;
  vl::WinPathNetwork m_net;
  CProbeThread m_thread;  // after the network: the thread ends before it goes
  vl::MtuFinderRules m_rules;
  unsigned m_nUseMtu = 0;
};
