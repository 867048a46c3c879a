// The change record as it is read back from the registry, whatever bytes are
// there, and Undo Last Changes over it on a Windows 98 machine:
// - reading never fails other than by saying the record is damaged; a record
//   taken is whole (written again, it reads back the same) and names only
//   values the program writes;
// - Undo writes or deletes nothing but the values of a record it took, each
//   exactly as the record has it, and touches nothing for a damaged one;
// - "put back" is only told when every value stands as recorded;
// - no key is left open.
//
// Input: a byte of choices (bit 0: the bytes get their checksum appended, so
// that the reading past the checksum is reached), a word with the history's
// "Last" number, then the bytes of the record.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "platform/text.h"
#include "tests/unit/kit/machines.h"
#include "tests/unit/kit/mem_app.h"
#include "tuning/change_history.h"
#include "tuning/change_record.h"
#include "tuning/undo.h"

namespace {

using vl::RegCall;
using vl::RegOp;

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

const std::string kChangesKey = vl::kSettingsKey + "\\Changes";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::Input in(data, size);
  const uint8_t choices = in.Byte();
  const uint16_t last = in.Word();
  std::string bytes = in.Rest();
  if (choices & 1) {
    const uint32_t crc = Crc32(bytes);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(crc >> (8 * i));
  }
  const std::vector<uint8_t> raw(bytes.begin(), bytes.end());

  vl::ChangeRecord record;
  const bool taken = vl::DecodeRecord(raw.data(), raw.size(), &record);
  if (taken) {
    FUZZ_REQUIRE(!record.values.empty());
    for (const vl::PriorValue& v : record.values) {
      FUZZ_REQUIRE(vl::IsTuningValue(v.key, v.name));
      FUZZ_REQUIRE(v.data.size() <= vl::kMaxPriorBytes);
      FUZZ_REQUIRE(v.present || v.data.empty());
    }
    const std::vector<uint8_t> again = vl::EncodeRecord(record);
    vl::ChangeRecord reread;
    FUZZ_REQUIRE(vl::DecodeRecord(again.data(), again.size(), &reread));
    FUZZ_REQUIRE(reread.values == record.values && reread.sequence == record.sequence &&
                 reread.mode == record.mode && reread.kind == record.kind);
    vl::ChangeName(record);
    vl::WhenText(record.when);
  }

  vl::MemApp m;
  vl::machines::Windows98WithBoth(m);
  m.reg.PutDword(kChangesKey, "Last", last);
  m.reg.Put(kChangesKey, vl::ChangeHistory::SlotName(last), vl::kRegBinary, raw);
  m.reg.ClearCalls();
  m.boxes.answers = {vl::kIdYes, vl::kIdNo};
  vl::RunUndoCommand(m.app, 0x42);

  // Undone only when the record was taken and is the one "Last" names.
  const bool undone = taken && record.sequence == last && last != 0;
  for (const RegCall& c : m.reg.Calls()) {
    if (c.op != RegOp::Set && c.op != RegOp::Delete) continue;
    if (vl::LowerAscii(c.path) == vl::LowerAscii(kChangesKey)) {
      FUZZ_REQUIRE(c.op == RegOp::Set && c.name == "Last");
      continue;
    }
    FUZZ_REQUIRE(undone);
    const std::string key = c.path.substr(vl::machines::kHklm.size());
    const auto v = std::find_if(record.values.begin(), record.values.end(),
                                [&](const vl::PriorValue& p) {
                                  return vl::LowerAscii(p.key) == vl::LowerAscii(key) && vl::LowerAscii(p.name) == vl::LowerAscii(c.name);
                                });
    FUZZ_REQUIRE(v != record.values.end());
    FUZZ_REQUIRE(c.op == (v->present ? RegOp::Set : RegOp::Delete));
    if (v->present) FUZZ_REQUIRE(c.type == v->type && c.data == v->data);
  }
  const bool told = std::any_of(m.boxes.shown.begin(), m.boxes.shown.end(), [](const vl::ShownBox& b) {
    return b.text.rfind("The values changed by", 0) == 0;
  });
  if (told) {
    for (const vl::PriorValue& v : record.values) {
      const vl::RegValue* now = m.reg.Get(vl::machines::kHklm + v.key, v.name);
      FUZZ_REQUIRE(v.present ? now && now->type == v.type && now->data == v.data : !now);
    }
  }
  FUZZ_REQUIRE(m.reg.OpenHandles() == 0);
  return 0;
}
