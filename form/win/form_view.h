// The form that fills the main window, from dialog template 101. Its
// behaviour lives in vl::FormController; the view gives it the controls.
#pragma once
#include <windows.h>

#include <string>

#include "form/form_controller.h"
#include "links/win/hyperlink.h"
#include "state/app_state.h"
#include "tray/win/tray_icon.h"
#include "ui/dialog.h"

class CMainFormView : public ui::Dialog, public vl::IFormWindow {
 public:
  // The form of the program whose shared state is `app`; it is the form
  // view (m_pFormView) while its window lives.
  explicit CMainFormView(vl::AppState& app);
  // Creates the form inside the frame and runs its initial update.
  bool Create(HWND frame);
  void OnInitialUpdate();
  // Fills the three lists with their items and selects each one's start
  // item, once: after the first idle pass, or at the behaviour's first use
  // of a list, whichever comes first.
  void FillLists();

  // What the tuning engine reads at write time.
  bool IsChecked(int controlId) const override;
  std::string GetText(int controlId) const override;
  void SetCheck(int controlId, bool checked) override;

  // The controls as the form's behaviour drives them.
  vl::WindowHandle Handle() const override;
  void Enable(int controlId, bool enable) override;
  void SetText(int controlId, const std::string& text) override;
  void Show(int controlId, bool show) override;
  void Focus(int controlId) override;
  int ListSelection(int listId) override;
  void SelectListItem(int listId, int index) override;
  vl::AutoModeAnswer RunAutoModeDialog(int configMode) override;

  // The MTU the MTU finder found, taken as the user would type it.
  void UseFoundMtu(unsigned mtu) { m_form.UseFoundMtu(mtu); }

 protected:
  void DoDataExchange();
  bool OnCommand(int id, int code, HWND control) override;
  bool DialogMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR* result) override;
  // No control of the form is a tab stop, so the system's search for one
  // to focus walks all 56 for nothing; the focus comes when the frame is
  // activated (WM_SETFOCUS), as before.
  BOOL OnInitDialog() override { return FALSE; }
  // The form is no dialog to close: Enter and Escape end nothing.
  void OnOK() override {}
  void OnCancel() override {}

 private:
  void AdaptToFontSize();

  vl::AppState& app_;
  CTrayIcon m_tray;  // the notification-area icon record
  ui::Wnd m_btnDialUp;
  CHyperLink m_linkMtu;
  CHyperLink m_linkRwin;
  CHyperLink m_linkTtl;
  CHyperLink m_linkKeepAlive;
  CHyperLink m_linkPmtu;
  CHyperLink m_linkNdi;
  ui::Wnd m_btnPingConfig;
  vl::FormController m_form;  // holds the last accepted texts of the two edits
  bool m_bListsFilled = false;
};
