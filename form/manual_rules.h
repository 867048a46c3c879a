// The rules behind the manual setting controls: which radios form a group,
// what each radio stores, how the two number edits judge what is typed, and
// what the three lists hold.
#pragma once
#include <string>
#include <vector>

#include "tuning/tuning_choices.h"

namespace vl {

enum class SettingGroup { Mtu, Rwin, Ttl, KeepAlive, Ndi };

struct GroupControls {
  SettingGroup group;
  int radios[3];  // Windows default, recommended value, Custom: the group order
  int partner;    // the edit or list beside Custom
  bool partnerIsList;
};

// The five radio groups, in the order the form lists them.
extern const GroupControls kSettingGroups[5];
// The group a radio belongs to; null for any other control.
const GroupControls* GroupOfRadio(int radioId);
const GroupControls& GroupControlsOf(SettingGroup group);
inline bool IsCustomRadio(const GroupControls& g, int radioId) { return g.radios[2] == radioId; }

// Stores the fixed value of a Windows-default or recommended radio (the same
// value whatever caption the radio shows). False for a Custom radio or any
// other control, which store nothing here.
bool StoreRadioValue(TuningSettings& settings, int radioId);

// The value a list group keeps (m_strRwinMultiple, m_strKeepAlive,
// m_strNdiCache); only the three list groups have one.
std::string& ListValue(TuningSettings& settings, SettingGroup group);

// The MSS that goes with an MTU text: what atoi reads from it, minus 40, as
// decimal text ("1500" gives "1460", "" gives "-40").
std::string MssForMtu(const std::string& mtuText);

// The value step of the Custom radios: the edit's text, trimmed, not judged.
void StoreCustomMtu(TuningSettings& settings, const std::string& editText);
void StoreCustomTtl(TuningSettings& settings, const std::string& editText);

// How a custom edit judges its trimmed text.
enum class EditVerdict {
  Accepted,   // empty, or one to five digits
  TooLong,    // more than five characters: the last good text goes back quietly
  NotADigit,  // a character other than 0..9: the last good text goes back, and a box says so
};
EditVerdict JudgeCustomEdit(const std::string& trimmed);

// The whole check of one change of an edit's text. On Accepted the values
// and the last good text are stored; otherwise nothing changes and the caller
// puts `last` back into the edit.
EditVerdict UpdateMtuEdit(TuningSettings& settings, std::string& lastMtu,
                          const std::string& editText);
EditVerdict UpdateTtlEdit(TuningSettings& settings, std::string& lastTtl,
                          const std::string& editText);

extern const char kInvalidNumber[];  // "Invalid Number   "

// The list items and the text each list selects at start-up (by prefix, from
// the second item on, as CB_SELECTSTRING with start index 0 searches).
std::vector<std::string> RwinItems();
std::vector<std::string> NdiItems();
std::vector<std::string> KeepAliveItems();
extern const char kRwinStartItem[];       // "x6"
extern const char kNdiStartItem[];        // "16"
extern const char kKeepAliveStartItem[];  // "10"

}  // namespace vl
