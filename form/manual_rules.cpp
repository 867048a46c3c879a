#include "form/manual_rules.h"

#include <cstdint>

#include "platform/text.h"
#include "res/resource.h"

namespace vl {

const char kInvalidNumber[] = "Invalid Number   ";
const char kRwinStartItem[] = "x6";
const char kNdiStartItem[] = "16";
const char kKeepAliveStartItem[] = "10";

const GroupControls kSettingGroups[5] = {
    {SettingGroup::Mtu, {IDC_MTU_DEFAULT, IDC_MTU_576, IDC_MTU_CUSTOM}, IDC_MTU_EDIT, false},
    {SettingGroup::Rwin, {IDC_RWIN_DEFAULT, IDC_RWIN_X6, IDC_RWIN_CUSTOM}, IDC_RWIN_COMBO, true},
    {SettingGroup::Ttl, {IDC_TTL_DEFAULT, IDC_TTL_128, IDC_TTL_CUSTOM}, IDC_TTL_EDIT, false},
    {SettingGroup::KeepAlive,
     {IDC_KEEPALIVE_DEFAULT, IDC_KEEPALIVE_10, IDC_KEEPALIVE_CUSTOM},
     IDC_KEEPALIVE_COMBO,
     true},
    {SettingGroup::Ndi, {IDC_NDI_DEFAULT, IDC_NDI_16, IDC_NDI_CUSTOM}, IDC_NDI_COMBO, true},
};

const GroupControls* GroupOfRadio(int radioId) {
  for (const GroupControls& g : kSettingGroups)
    for (int id : g.radios)
      if (id == radioId) return &g;
  return nullptr;
}

const GroupControls& GroupControlsOf(SettingGroup group) {
  for (const GroupControls& g : kSettingGroups)
    if (g.group == group) return g;
  return kSettingGroups[0];
}

bool StoreRadioValue(TuningSettings& s, int radioId) {
  switch (radioId) {
    case IDC_MTU_DEFAULT:
      s.m_strMaxMtu = "1500";
      s.m_strMaxMss = "1460";
      return true;
    case IDC_MTU_576:
      s.m_strMaxMtu = "576";
      s.m_strMaxMss = "536";
      return true;
    // "x0" is no item of the list: the writer turns it into the Windows
    // default window.
    case IDC_RWIN_DEFAULT: s.m_strRwinMultiple = "x0"; return true;
    case IDC_RWIN_X6: s.m_strRwinMultiple = "x6"; return true;
    case IDC_TTL_DEFAULT: s.m_strTtl = "32"; return true;
    case IDC_TTL_128: s.m_strTtl = "128"; return true;
    case IDC_KEEPALIVE_DEFAULT: s.m_strKeepAlive = "60 min."; return true;
    case IDC_KEEPALIVE_10: s.m_strKeepAlive = "10 min."; return true;
    case IDC_NDI_DEFAULT: s.m_strNdiCache = "0"; return true;
    case IDC_NDI_16: s.m_strNdiCache = "16"; return true;
    default: return false;
  }
}

std::string& ListValue(TuningSettings& s, SettingGroup group) {
  switch (group) {
    case SettingGroup::Rwin: return s.m_strRwinMultiple;
    case SettingGroup::KeepAlive: return s.m_strKeepAlive;
    default: return s.m_strNdiCache;
  }
}

std::string MssForMtu(const std::string& mtuText) {
  // Wraps like the 32-bit int of the original arithmetic instead of overflowing.
  uint32_t mss = static_cast<uint32_t>(Atoi(mtuText)) - 40u;
  return std::to_string(static_cast<int32_t>(mss));
}

static void SetMtu(TuningSettings& s, const std::string& mtu) {
  s.m_strMaxMtu = mtu;
  s.m_strMaxMss = mtu.empty() ? std::string() : MssForMtu(mtu);
}

void StoreCustomMtu(TuningSettings& s, const std::string& editText) {
  SetMtu(s, TrimBlanks(editText));
}

void StoreCustomTtl(TuningSettings& s, const std::string& editText) {
  s.m_strTtl = TrimBlanks(editText);
}

EditVerdict JudgeCustomEdit(const std::string& trimmed) {
  if (trimmed.size() > 5) return EditVerdict::TooLong;
  for (char c : trimmed)
    if (c < '0' || c > '9') return EditVerdict::NotADigit;
  return EditVerdict::Accepted;
}

EditVerdict UpdateMtuEdit(TuningSettings& s, std::string& lastMtu, const std::string& editText) {
  std::string t = TrimBlanks(editText);
  EditVerdict verdict = JudgeCustomEdit(t);
  if (verdict == EditVerdict::Accepted) {
    lastMtu = t;
    SetMtu(s, t);
  }
  return verdict;
}

EditVerdict UpdateTtlEdit(TuningSettings& s, std::string& lastTtl, const std::string& editText) {
  std::string t = TrimBlanks(editText);
  EditVerdict verdict = JudgeCustomEdit(t);
  if (verdict == EditVerdict::Accepted) {
    lastTtl = t;
    s.m_strTtl = t;
  }
  return verdict;
}

std::vector<std::string> RwinItems() { return {"x4", "x6", "x8", "x10", "x12", "x14", "x16"}; }

std::vector<std::string> NdiItems() { return {"0", "2", "4", "8", "16", "32", "64"}; }

std::vector<std::string> KeepAliveItems() {
  std::vector<std::string> items;
  for (int n = 1; n <= 60; ++n) items.push_back(std::to_string(n) + " min.");
  return items;
}

}  // namespace vl
