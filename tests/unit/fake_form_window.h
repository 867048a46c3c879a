// A stand-in for the form's window: controls with check marks, enabled
// states, texts and list selections, the focus rule of radio buttons, edits
// that report every change, and a scripted automatic-mode dialog.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "form/form_controller.h"
#include "form/manual_rules.h"
#include "form/mode_choice.h"
#include "platform/mem/mem_system.h"
#include "res/resource.h"
#include "tuning/tuning_choices.h"

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

  explicit FakeFormWindow(AppState& app) : app_(app) {
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
  void Click(int id) { form->OnCommand(id, kBnClicked); }
  void Type(int id, const std::string& text) {
    c[id].text = text;
    bool isList = !c[id].items.empty();
    form->OnCommand(id, isList ? kCbnEditUpdate : kEnUpdate);
  }
  void PickItem(int list, int index) {  // mouse or arrow keys: no notification of ours
    c[list].selection = index;
    c[list].text = c[list].items[index];
  }

  // How the automatic-mode dialog is answered; records the mode it opened in.
  enum class Answer { Ok, OkLan, Escape };
  Answer answer = Answer::Ok;
  AdapterCensus census;
  std::vector<int> dialogs;

  // ---- IFormWindow ----
  bool IsChecked(int id) const override { return Get(id).checked; }
  std::string GetText(int id) const override { return Get(id).text; }
  void SetCheck(int id, bool checked) override { c[id].checked = checked; }
  WindowHandle Handle() const override { return 0x101; }
  void Enable(int id, bool enable) override { c[id].enabled = enable; }
  void SetText(int id, const std::string& text) override {
    c[id].text = text;
    if (id == IDC_MTU_EDIT || id == IDC_TTL_EDIT) form->OnCommand(id, kEnUpdate);
  }
  void Show(int id, bool show) override { c[id].visible = show; }
  void Focus(int id) override { focus = id; }
  void FocusRadio(int id) override {
    if (!c[id].checked) form->OnCommand(id, kBnClicked);
    focus = id;
  }
  int ListSelection(int id) override { return c[id].selection; }
  void SelectListItem(int id, int index) override { PickItem(id, index); }
  void RunAutoModeDialog() override {
    dialogs.push_back(app_.m_nConfigMode);
    if (answer == Answer::Escape) return;
    bool asked = AsksAdapterQuestion(app_.m_nConfigMode, census);
    app_.m_nConfigMode = ModeAfterOk(app_.m_nConfigMode, asked, answer == Answer::Ok, census);
  }

  std::map<int, Control> c;
  int focus = 0;
  FormController* form = nullptr;

 private:
  const Control& Get(int id) const {
    static const Control none;
    auto it = c.find(id);
    return it == c.end() ? none : it->second;
  }
  void Fill(int list, std::vector<std::string> items, int selection) {
    c[list].items = std::move(items);
    PickItem(list, selection);
  }
  AppState& app_;
};

// An application with message boxes and a form on the stand-in window.
struct FormBench {
  FormBench() : window(app), form(app, window) {
    app.sys.boxes = &boxes;
    app.m_strProductName = "Velora 2001";
    window.form = &form;
  }
  AppState app;
  MemMessageBoxes boxes;
  FakeFormWindow window;
  FormController form;
};

}  // namespace vl
