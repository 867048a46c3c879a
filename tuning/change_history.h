// The program's history of changes, newest first, in its own registry key:
// HKEY_LOCAL_MACHINE\SOFTWARE\Norwick Ltd\Velora 2001\Changes. The registry
// rather than a file of the install folder: it survives every restart, needs
// the same rights as the TCP/IP values it speaks of, lies in the same
// (native) registry view as they do for the i686 program on 64-bit Windows,
// and goes with the program's key when it is uninstalled.
//
// The key holds "Last", a REG_DWORD with the sequence number of the newest
// record, and the records themselves as REG_BINARY values "Change 0" to
// "Change 9", each in the slot of its sequence number modulo ten: the last
// ten changes are kept, a newer one takes the place of the oldest.
#pragma once
#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "tuning/change_record.h"

namespace vl {

constexpr uint32_t kKeptChanges = 10;
extern const char kChangesSubkey[];  // "Changes", below the program's key

enum class NewestState {
  None,        // nothing to undo
  Found,       // `record` holds the newest change
  Damaged,     // the newest record is not one the program can put back
  Unreadable,  // the registry refused to give it
};

struct NewestChange {
  NewestState state = NewestState::None;
  uint32_t sequence = 0;
  ChangeRecord record;  // Found only
};

class ChangeHistory {
 public:
  // `programKey`: the program's key below HKEY_LOCAL_MACHINE.
  ChangeHistory(IRegistry& reg, const std::string& programKey);

  // Keeps `record` as the newest change, with the next sequence number.
  // False when it could not be kept whole.
  bool Push(ChangeRecord& record);
  NewestChange Newest();
  // Takes the change of that sequence number off, so that the one before it
  // becomes the newest. Its bytes stay until a newer change takes the slot.
  bool Drop(uint32_t sequence);

  static std::string SlotName(uint32_t sequence);

 private:
  IRegistry& reg_;
  std::string key_;
};

}  // namespace vl
