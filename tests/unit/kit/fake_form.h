// A stand-in for the form's window: controls with check marks, enabled
// states, texts and list selections, edits that report every change, radios
// that take the focus as Wine's do or as Windows' do, and an automatic-mode
// dialog answered from a script. Without a controller attached it is just the
// controls the tuning engine reads at write time.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "form/form_controller.h"
#include "form/manual_rules.h"
#include "res/resource.h"
#include "tests/unit/kit/mem_app.h"

namespace vl {

class FakeFormWindow : public IFormWindow {
 public:
  struct Control {
    bool checked = false;
    bool enabled = true;
    bool visible = true;
    std::string text;
    std::vector<std::string> items;  // lists only
    int selection = -1;
  };

  FakeFormWindow() {
    // The start-up state the template and the initial update leave.
    for (const GroupControls& g : kSettingGroups) {
      for (int id : g.radios) c[id].enabled = false;
      c[g.partner].enabled = false;
    }
    for (int id : {IDC_PMTU_DISCOVERY, IDC_PMTU_BLACKHOLE}) c[id].enabled = false;
    for (int id : kHelpLinks) c[id].enabled = false;
    Fill(IDC_RWIN_COMBO, RwinItems(), 1);
    Fill(IDC_NDI_COMBO, NdiItems(), 4);
    Fill(IDC_KEEPALIVE_COMBO, KeepAliveItems(), 9);
  }

  // ---- What the user does ----
  void Click(int id) { Notify(id, kBnClicked); }
  void Type(int id, const std::string& text) {
    c[id].text = text;
    Notify(id, c[id].items.empty() ? kEnUpdate : kCbnEditUpdate);
  }
  void PickItem(int list, int index) {  // mouse or arrow keys: no notification of ours
    c[list].selection = index;
    c[list].text = c[list].items[index];
  }

  // How every automatic-mode dialog is answered, and the modes they opened in.
  AutoModeAnswer dialogAnswer = Ok();
  std::vector<int> dialogs;
  static AutoModeAnswer Ok(AdapterCensus census = {}) { return {true, false, false, true, census}; }
  static AutoModeAnswer Asked(bool dialUp) {
    return {true, true, dialUp, true, AdapterCensus{true, true}};
  }
  static AutoModeAnswer Escape() { return {}; }

  // ---- IFormWindow ----
  bool IsChecked(int id) const override { return Get(id).checked; }
  std::string GetText(int id) const override { return Get(id).text; }
  void SetCheck(int id, bool checked) override { c[id].checked = checked; }
  WindowHandle Handle() const override { return 0x101; }
  void Enable(int id, bool enable) override { c[id].enabled = enable; }
  void SetText(int id, const std::string& text) override {
    c[id].text = text;
    if (id == IDC_MTU_EDIT || id == IDC_TTL_EDIT) Notify(id, kEnUpdate);
  }
  void Show(int id, bool show) override { c[id].visible = show; }
  void Focus(int id) override {
    focus = id;
    if (focusClicksRadio && IsRadio(id) && !c[id].checked) Notify(id, kBnClicked);
  }
  int ListSelection(int id) override { return c[id].selection; }
  void SelectListItem(int id, int index) override { PickItem(id, index); }
  AutoModeAnswer RunAutoModeDialog(int configMode) override {
    dialogs.push_back(configMode);
    return dialogAnswer;
  }

  std::map<int, Control> c;
  int focus = 0;
  // Windows reports a click when an unchecked radio gets the focus; Wine, as
  // the stand-in does by default, reports nothing.
  bool focusClicksRadio = false;
  FormController* form = nullptr;  // gets the notifications

 private:
  static bool IsRadio(int id) {
    return GroupOfRadio(id) || id == IDC_MODE_DIALUP || id == IDC_MODE_LAN || id == IDC_MODE_MANUAL;
  }
  void Notify(int id, int code) {
    if (form) form->OnCommand(id, code);
  }
  const Control& Get(int id) const {
    static const Control none;
    auto it = c.find(id);
    return it == c.end() ? none : it->second;
  }
  void Fill(int list, std::vector<std::string> items, int selection) {
    c[list].items = std::move(items);
    PickItem(list, selection);
  }
};

// The in-memory application with its form on the stand-in window.
struct FormBench : MemApp {
  FormBench() : form(app, window) {
    window.form = &form;
    app.m_pFormView = &window;
  }
  FakeFormWindow window;
  FormController form;
};

}  // namespace vl
