#include "tuning/change_record.h"

#include <cstring>
#include <initializer_list>

#include "platform/text.h"
#include "state/choices.h"
#include "tuning/adapters.h"
#include "tuning/tuning_choices.h"
#include "tuning/write_steps.h"

namespace vl {

namespace {

// The layout, all numbers least significant byte first:
//   "VLCR", version 1, sequence (4), kind (1), mode (1),
//   year (2), month, day, hour, minute, second (1 each),
//   key count (2), each key: length (2) and its bytes,
//   value count (2), each value: key index (2), name length (1), name,
//     present (1), and when present: type (4), data length (4), data,
//   version 2 only: made-key count (2), each made key: key index (2),
//   CRC-32 of everything before it (4).
// Keys are listed once: an Apply names the same global key many times. A
// record that made no key is kept as version 1, as the program has always
// kept them.
const char kMagic[4] = {'V', 'L', 'C', 'R'};
constexpr uint8_t kVersion = 1;
constexpr uint8_t kVersionWithMadeKeys = 2;
constexpr size_t kMaxKeyLength = 1024;

// CRC-32 as zip files have it, a byte at a time through a table made once.
uint32_t Crc32(const uint8_t* data, size_t size) {
  static uint32_t table[256];
  static bool made = false;
  if (!made) {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int bit = 0; bit < 8; ++bit) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
      table[n] = c;
    }
    made = true;
  }
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

// The part of `text` between `prefix` and `suffix` (letter case aside), or
// false when it does not begin and end so or nothing lies between.
bool Between(const std::string& text, const std::string& prefix, const std::string& suffix,
             std::string* middle) {
  if (text.size() <= prefix.size() + suffix.size()) return false;
  if (!SameIgnoringCase(text.substr(0, prefix.size()), prefix)) return false;
  if (!SameIgnoringCase(text.substr(text.size() - suffix.size()), suffix)) return false;
  *middle = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
  return true;
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (SameIgnoringCase(name, n)) return true;
  return false;
}

class Writer {
 public:
  void Byte(uint32_t v) { out.push_back(static_cast<uint8_t>(v)); }
  void Word(uint32_t v) {
    Byte(v);
    Byte(v >> 8);
  }
  void Long(uint32_t v) {
    Word(v);
    Word(v >> 16);
  }
  void Bytes(const void* data, size_t size) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    out.insert(out.end(), p, p + size);
  }
  std::vector<uint8_t> out;
};

// Reads within the bytes it was given; once a read would pass their end it
// fails, and so does every read after it.
class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool ok() const { return ok_; }
  bool AtEnd() const { return pos_ == size_; }
  size_t Left() const { return size_ - pos_; }
  uint32_t Byte() { return Take(1) ? data_[pos_ - 1] : 0; }
  uint32_t Word() {
    uint32_t low = Byte();
    return low | (Byte() << 8);
  }
  uint32_t Long() {
    uint32_t low = Word();
    return low | (Word() << 16);
  }
  const uint8_t* Bytes(size_t n) { return Take(n) ? data_ + pos_ - n : nullptr; }

 private:
  bool Take(size_t n) {
    if (!ok_ || n > size_ - pos_) return ok_ = false;
    pos_ += n;
    return true;
  }
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool ok_ = true;
};

// A name as the registry can hold it: no NUL inside.
bool ReadName(Reader& in, size_t length, std::string* name) {
  const uint8_t* p = in.Bytes(length);
  if (!p) return false;
  name->assign(reinterpret_cast<const char*>(p), length);
  return name->find('\0') == std::string::npos;
}

std::string TwoDigits(int n) { return std::string(1, static_cast<char>('0' + n / 10 % 10)) +
                                      static_cast<char>('0' + n % 10); }

}  // namespace

bool IsKnownTime(const LocalTime& t) {
  return t.year >= 1601 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= 31 && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
         t.second >= 0 && t.second <= 59;
}

bool IsTuningValue(const std::string& key, const std::string& name) {
  std::string middle;
  if (SameIgnoringCase(key, kMstcpKey) &&
      OneOf(name, {"DefaultRcvWindow", "DefaultMSS", "DefaultTTL", "SessionKeepAlive",
                   "PMTUDiscovery", "PMTUBlackHoleDetect"}))
    return true;
  if (SameIgnoringCase(key, kNdiCacheKey) && name.empty()) return true;
  if (SameIgnoringCase(key, kTcpipParametersKey) &&
      OneOf(name, {"TcpWindowSize", "DefaultTTL", "EnablePMTUDiscovery", "EnablePMTUBHDetect"}))
    return true;
  if (Between(key, kClassPrefix, "", &middle) && OneOf(name, {"MaxMTU", "MaxMSS"})) return true;
  if (Between(key, kNdisWanProtocolsPrefix, "", &middle) && IsMadeKey(key))
    return OneOf(name, {"ProtocolMTU", "ProtocolType", "PPPProtocolType"});
  if (!OneOf(name, {"MTU"})) return false;
  return Between(key, kServicesPrefix, kTcpipSuffix, &middle) ||
         (Between(key, kInterfacesPrefix, "", &middle) &&
          middle.find('\\') == std::string::npos);
}

bool IsMadeKey(const std::string& key) {
  // NdisWan's Protocols key, or one protocol's below it.
  const std::string protocols(kNdisWanProtocolsPrefix, std::strlen(kNdisWanProtocolsPrefix) - 1);
  if (SameIgnoringCase(key, protocols)) return true;
  std::string number;
  if (!Between(key, kNdisWanProtocolsPrefix, "", &number) || number.size() > 2) return false;
  for (char c : number)
    if (c < '0' || c > '9') return false;
  return true;
}

std::vector<uint8_t> EncodeRecord(const ChangeRecord& record) {
  std::vector<std::string> keys;
  std::vector<uint32_t> keyOf;
  auto indexOf = [&keys](const std::string& key) {
    size_t k = 0;
    while (k < keys.size() && keys[k] != key) ++k;
    if (k == keys.size()) keys.push_back(key);
    return static_cast<uint32_t>(k);
  };
  for (const PriorValue& v : record.values) keyOf.push_back(indexOf(v.key));
  std::vector<uint32_t> made;
  for (const std::string& key : record.madeKeys) made.push_back(indexOf(key));
  Writer w;
  w.Bytes(kMagic, sizeof kMagic);
  w.Byte(made.empty() ? kVersion : kVersionWithMadeKeys);
  w.Long(record.sequence);
  w.Byte(static_cast<uint32_t>(record.kind));
  w.Byte(static_cast<uint32_t>(record.mode));
  // A clock that gives no real date leaves the time unknown (all zero).
  const LocalTime t = IsKnownTime(record.when) ? record.when : LocalTime{};
  w.Word(static_cast<uint32_t>(t.year));
  for (int part : {t.month, t.day, t.hour, t.minute, t.second}) w.Byte(static_cast<uint32_t>(part));
  w.Word(static_cast<uint32_t>(keys.size()));
  for (const std::string& key : keys) {
    w.Word(static_cast<uint32_t>(key.size()));
    w.Bytes(key.data(), key.size());
  }
  w.Word(static_cast<uint32_t>(record.values.size()));
  for (size_t i = 0; i < record.values.size(); ++i) {
    const PriorValue& v = record.values[i];
    w.Word(keyOf[i]);
    w.Byte(static_cast<uint32_t>(v.name.size()));
    w.Bytes(v.name.data(), v.name.size());
    w.Byte(v.present ? 1 : 0);
    if (!v.present) continue;
    w.Long(v.type);
    w.Long(static_cast<uint32_t>(v.data.size()));
    w.Bytes(v.data.data(), v.data.size());
  }
  if (!made.empty()) {
    w.Word(static_cast<uint32_t>(made.size()));
    for (uint32_t k : made) w.Word(k);
  }
  w.Long(Crc32(w.out.data(), w.out.size()));
  return w.out;
}

bool DecodeRecord(const uint8_t* data, size_t size, ChangeRecord* record) {
  if (!data || size < sizeof kMagic + 4) return false;
  const size_t body = size - 4;
  Reader tail(data + body, 4);
  if (Crc32(data, body) != tail.Long()) return false;

  Reader in(data, body);
  const uint8_t* magic = in.Bytes(sizeof kMagic);
  if (!magic || std::string(reinterpret_cast<const char*>(magic), sizeof kMagic) !=
                    std::string(kMagic, sizeof kMagic))
    return false;
  const uint32_t version = in.Byte();
  if (version != kVersion && version != kVersionWithMadeKeys) return false;
  ChangeRecord r;
  r.sequence = in.Long();
  const uint32_t kind = in.Byte();
  r.mode = static_cast<int>(in.Byte());
  if (kind == static_cast<uint32_t>(ChangeKind::Apply)) {
    r.kind = ChangeKind::Apply;
    if (r.mode < ModeAutoDialUp || r.mode > ModeManualLan) return false;
  } else if (kind == static_cast<uint32_t>(ChangeKind::Restore)) {
    r.kind = ChangeKind::Restore;
    if (r.mode != 0) return false;
  } else {
    return false;
  }
  r.when.year = static_cast<int>(in.Word());
  for (int* part : {&r.when.month, &r.when.day, &r.when.hour, &r.when.minute, &r.when.second})
    *part = static_cast<int>(in.Byte());
  const LocalTime unknown;
  const bool zero = r.when.year == unknown.year && r.when.month == unknown.month &&
                    r.when.day == unknown.day && r.when.hour == unknown.hour &&
                    r.when.minute == unknown.minute && r.when.second == unknown.second;
  if (!in.ok() || !(zero || IsKnownTime(r.when))) return false;

  // Counts come from the bytes; each entry takes at least a byte or two, so
  // a count beyond what is left is damage, found before anything is kept.
  const uint32_t keyCount = in.Word();
  if (keyCount > in.Left() / 2) return false;
  std::vector<std::string> keys;
  for (uint32_t k = 0; k < keyCount; ++k) {
    const uint32_t length = in.Word();
    std::string key;
    if (length == 0 || length > kMaxKeyLength || !ReadName(in, length, &key)) return false;
    keys.push_back(key);
  }
  const uint32_t valueCount = in.Word();
  if (valueCount > in.Left() / 4) return false;
  for (uint32_t i = 0; i < valueCount; ++i) {
    PriorValue v;
    const uint32_t keyIndex = in.Word();
    if (!in.ok() || keyIndex >= keys.size()) return false;
    v.key = keys[keyIndex];
    if (!ReadName(in, in.Byte(), &v.name)) return false;
    const uint32_t present = in.Byte();
    if (present > 1) return false;
    v.present = present == 1;
    if (v.present) {
      v.type = in.Long();
      const uint32_t length = in.Long();
      if (length > kMaxPriorBytes) return false;
      const uint8_t* bytes = in.Bytes(length);
      if (!bytes) return false;
      v.data.assign(bytes, bytes + length);
    }
    if (!in.ok() || !IsTuningValue(v.key, v.name)) return false;
    for (const PriorValue& earlier : r.values)
      if (SameIgnoringCase(earlier.key, v.key) && SameIgnoringCase(earlier.name, v.name)) return false;
    r.values.push_back(v);
  }
  if (version == kVersionWithMadeKeys) {
    const uint32_t madeCount = in.Word();
    if (madeCount == 0 || madeCount > in.Left() / 2) return false;
    for (uint32_t i = 0; i < madeCount; ++i) {
      const uint32_t keyIndex = in.Word();
      if (!in.ok() || keyIndex >= keys.size() || !IsMadeKey(keys[keyIndex])) return false;
      for (const std::string& earlier : r.madeKeys)
        if (SameIgnoringCase(earlier, keys[keyIndex])) return false;
      r.madeKeys.push_back(keys[keyIndex]);
    }
  }
  if (!in.ok() || !in.AtEnd() || r.values.empty()) return false;
  *record = r;
  return true;
}

std::string ChangeName(const ChangeRecord& record) {
  if (record.kind == ChangeKind::Restore) return "the restore of the Windows default settings";
  return "the Apply of " + TrimBlanks(ModePaneText(record.mode));
}

std::string WhenText(const LocalTime& when) {
  if (!IsKnownTime(when)) return "at an unknown time";
  static const char* const kMonths[] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
  const char* month = kMonths[when.month - 1];
  return "on " + std::to_string(when.day) + " " + month + " " + std::to_string(when.year) + " at " +
         TwoDigits(when.hour) + ":" + TwoDigits(when.minute);
}

}  // namespace vl
