// The record of one change to the TCP/IP settings: what each value held
// before an Apply or a restore touched it, so that Undo can put it back. It
// is kept in the registry as bytes, and read back as bytes that anything may
// have touched since.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system.h"

namespace vl {

enum class ChangeKind : uint8_t { Apply = 1, Restore = 2 };

// A value as it stood before the change: absent, or its type and exact bytes.
struct PriorValue {
  std::string key;  // below HKEY_LOCAL_MACHINE
  std::string name;
  bool present = false;
  uint32_t type = 0;
  std::vector<uint8_t> data;

  bool operator==(const PriorValue& o) const {
    return key == o.key && name == o.name && present == o.present && type == o.type &&
           data == o.data;
  }
};

struct ChangeRecord {
  uint32_t sequence = 0;  // given by the history when the record is kept
  ChangeKind kind = ChangeKind::Apply;
  int mode = 0;  // the configuration mode an Apply wrote
  LocalTime when;
  std::vector<PriorValue> values;
  // Keys the change made (below HKEY_LOCAL_MACHINE), each below the ones
  // before it: Undo removes them, the last first, once their values are put
  // back, so that nothing of the change is left.
  std::vector<std::string> madeKeys;
};

// No value the program tunes comes near this; a record keeps no more of one.
constexpr uint32_t kMaxPriorBytes = 4096;

std::vector<uint8_t> EncodeRecord(const ChangeRecord& record);
// False when the bytes are not a whole, undamaged record of this program, or
// when it names a value the program never writes: such a record is never
// put back.
bool DecodeRecord(const uint8_t* data, size_t size, ChangeRecord* record);

// Whether the program writes this value (key below HKEY_LOCAL_MACHINE, in any
// letter case): the tuning values of both families and nothing else.
bool IsTuningValue(const std::string& key, const std::string& name);
// Whether the program may make this key: NdisWan's IP protocol key (and the
// Protocols key above it), which Windows 2000 and later only have once
// someone set the dial-up MTU.
bool IsMadeKey(const std::string& key);

// "the Apply of Automatic Mode - Dial-Up", "the restore of the Windows
// default settings".
std::string ChangeName(const ChangeRecord& record);
// A date and time the calendar has; all zero stands for a time not known.
bool IsKnownTime(const LocalTime& when);
// "on 10 December 2026 at 14:05", or "at an unknown time".
std::string WhenText(const LocalTime& when);

}  // namespace vl
