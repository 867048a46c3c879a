// The Ping Configuration dialog's controls as plain state, starting as the
// template leaves them: nothing checked, host field and list disabled.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "ping/ping_config.h"

namespace vl {

class FakePingControls : public IPingControls {
 public:
  bool IsChecked(int id) const override { return Get(checked, id); }
  void SetCheck(int id, bool on) override { checked[id] = on; }
  void Enable(int id, bool on) override { enabled[id] = on; }
  std::string GetText(int id) const override {
    auto it = text.find(id);
    return it == text.end() ? std::string() : it->second;
  }
  void SetText(int id, const std::string& t) override { text[id] = t; }
  void FillList(int, const std::vector<std::string>& items) override { list = items; }
  int GetSelection(int) const override { return selection; }
  void SetSelection(int, int index) override {
    selection = index >= 0 && index < static_cast<int>(list.size()) ? index : -1;
  }
  void SetFocus(int id) override { focus = id; }

  bool IsEnabled(int id) const { return Get(enabled, id); }
  std::string Shown() const { return selection < 0 ? "<none>" : list[selection]; }

  std::map<int, bool> checked, enabled;
  std::map<int, std::string> text;
  std::vector<std::string> list;
  int selection = -1;
  int focus = 0;

 private:
  static bool Get(const std::map<int, bool>& m, int id) {
    auto it = m.find(id);
    return it != m.end() && it->second;
  }
};

}  // namespace vl
