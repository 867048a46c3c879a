#include "tuning/change_history.h"

namespace vl {

const char kChangesSubkey[] = "Changes";

namespace {

const char kLastName[] = "Last";
// Far more than ten changes of a hundred adapters take; a bigger value was
// never written by the program.
constexpr uint32_t kMaxRecordBytes = 1 << 20;

// "Last" as the history left it: 0 when there is none yet. False when the
// registry would not say, or when the value is no sequence number at all.
long ReadLast(IRegistry& reg, RegKey key, uint32_t* last) {
  uint8_t bytes[4] = {};
  uint32_t size = sizeof bytes;
  uint32_t type = kRegNone;
  const long status = reg.QueryValue(key, kLastName, &type, bytes, &size);
  *last = 0;
  if (status == kErrorFileNotFound) return kErrorSuccess;
  if (status == kErrorMoreData) return kErrorInvalidParameter;
  if (status != kErrorSuccess) return status;
  if (type != kRegDword || size != 4) return kErrorInvalidParameter;
  *last = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
  return kErrorSuccess;
}

}  // namespace

ChangeHistory::ChangeHistory(IRegistry& reg, const std::string& programKey)
    : reg_(reg), key_(programKey + "\\" + kChangesSubkey) {}

std::string ChangeHistory::SlotName(uint32_t sequence) {
  return "Change " + std::to_string(sequence % kKeptChanges);
}

bool ChangeHistory::Push(ChangeRecord& record) {
  ScopedKey key(reg_);
  if (reg_.CreateKey(kHkeyLocalMachine, key_, kRegOptionNonVolatile, kKeyRead | kKeyWrite,
                     key.Receive()) != kErrorSuccess)
    return false;
  uint32_t last = 0;
  const long status = ReadLast(reg_, key.get(), &last);
  // A "Last" that is no number cannot lead to the older records any more:
  // the history starts again. A registry that refuses to say keeps it.
  if (status != kErrorSuccess && status != kErrorInvalidParameter) return false;
  record.sequence = last + 1 == 0 ? 1 : last + 1;
  const std::vector<uint8_t> bytes = EncodeRecord(record);
  // The record goes in first: until "Last" names it, the history is as it was.
  return reg_.SetValue(key.get(), SlotName(record.sequence), kRegBinary, bytes.data(),
                       static_cast<uint32_t>(bytes.size())) == kErrorSuccess &&
         SetDword(reg_, key.get(), kLastName, record.sequence) == kErrorSuccess;
}

NewestChange ChangeHistory::Newest() {
  NewestChange newest;
  ScopedKey key(reg_);
  long status = reg_.OpenKey(kHkeyLocalMachine, key_, kKeyRead, key.Receive());
  if (status == kErrorFileNotFound) return newest;
  if (status != kErrorSuccess) {
    newest.state = NewestState::Unreadable;
    return newest;
  }
  status = ReadLast(reg_, key.get(), &newest.sequence);
  if (status == kErrorInvalidParameter) {
    newest.state = NewestState::Damaged;
    return newest;
  }
  if (status != kErrorSuccess) {
    newest.state = NewestState::Unreadable;
    return newest;
  }
  if (newest.sequence == 0) return newest;

  const std::string slot = SlotName(newest.sequence);
  uint32_t type = kRegNone, size = 0;
  status = reg_.QueryValue(key.get(), slot, &type, nullptr, &size);
  // A slot that is empty, or taken by a record of another number, means the
  // change was one of more than ten ago: the history ends here.
  if (status == kErrorFileNotFound) return NewestChange{};
  if (status == kErrorSuccess && size > kMaxRecordBytes) {
    newest.state = NewestState::Damaged;
    return newest;
  }
  std::vector<uint8_t> bytes(size);
  if (status == kErrorSuccess)
    status = reg_.QueryValue(key.get(), slot, &type, bytes.data(), &size);
  if (status != kErrorSuccess) {
    newest.state = NewestState::Unreadable;
    return newest;
  }
  bytes.resize(size < bytes.size() ? size : bytes.size());
  ChangeRecord record;
  if (type != kRegBinary || !DecodeRecord(bytes.data(), bytes.size(), &record)) {
    newest.state = NewestState::Damaged;
    return newest;
  }
  if (record.sequence != newest.sequence) return NewestChange{};
  newest.state = NewestState::Found;
  newest.record = record;
  return newest;
}

bool ChangeHistory::Drop(uint32_t sequence) {
  ScopedKey key(reg_);
  if (reg_.OpenKey(kHkeyLocalMachine, key_, kKeyWrite, key.Receive()) != kErrorSuccess)
    return false;
  return SetDword(reg_, key.get(), kLastName, sequence == 0 ? 0 : sequence - 1) == kErrorSuccess;
}

}  // namespace vl
