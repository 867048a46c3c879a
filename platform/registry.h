// The registry as the core sees it: the Win32 calls it uses, one for one,
// with Win32 status codes and raw value bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32_types.h"

namespace vl {

class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // RegOpenKeyExA
  virtual long OpenKey(RegKey root, const std::string& subkey, uint32_t access, RegKey* result) = 0;
  // RegCreateKeyExA (no class, no security attributes, disposition not asked for)
  virtual long CreateKey(RegKey root, const std::string& subkey, uint32_t options, uint32_t access,
                         RegKey* result) = 0;
  // RegQueryValueExA. `size` is in/out as in Win32: on entry the buffer size,
  // on return the size of the data (also on ERROR_MORE_DATA). `type` and
  // `data` may be null.
  virtual long QueryValue(RegKey key, const std::string& name, uint32_t* type, uint8_t* data,
                          uint32_t* size) = 0;
  // RegSetValueExA
  virtual long SetValue(RegKey key, const std::string& name, uint32_t type, const uint8_t* data,
                        uint32_t size) = 0;
  // RegDeleteValueA
  virtual long DeleteValue(RegKey key, const std::string& name) = 0;
  // RegDeleteKeyA, in the registry view the other calls use; as on Windows
  // NT, a key that has subkeys is not deleted.
  virtual long DeleteKey(RegKey root, const std::string& subkey) = 0;
  // RegCloseKey
  virtual long CloseKey(RegKey key) = 0;
};

// Closes a key it holds when it goes out of scope.
class ScopedKey {
 public:
  explicit ScopedKey(IRegistry& reg) : reg_(reg) {}
  ~ScopedKey() { Close(); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  RegKey* Receive() { Close(); return &key_; }
  RegKey get() const { return key_; }
  bool valid() const { return key_ != 0; }
  void Close() {
    if (key_ != 0) reg_.CloseKey(key_);
    key_ = 0;
  }

 private:
  IRegistry& reg_;
  RegKey key_ = 0;
};

// Helpers that build the raw bytes of the two value types the program writes.
inline std::vector<uint8_t> SzBytes(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}
inline std::vector<uint8_t> DwordBytes(uint32_t value) {
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}
inline long SetSz(IRegistry& reg, RegKey key, const std::string& name, const std::string& text) {
  auto b = SzBytes(text);
  return reg.SetValue(key, name, kRegSz, b.data(), static_cast<uint32_t>(b.size()));
}
inline long SetDword(IRegistry& reg, RegKey key, const std::string& name, uint32_t value) {
  auto b = DwordBytes(value);
  return reg.SetValue(key, name, kRegDword, b.data(), 4);
}

// Reads a value into a buffer of `bufferSize` bytes, the way the program's
// walks and store do, and returns the data as a NUL-terminated text (cut at
// the first NUL, or at the end of the data when it has none). Returns the
// query's status; `text` is only set on success.
long QueryText(IRegistry& reg, RegKey key, const std::string& name, uint32_t bufferSize,
               std::string* text, uint32_t* type = nullptr);

// Reads a value whole, whatever its type: its type and exact bytes. A value
// longer than `maxBytes` fails with ERROR_MORE_DATA; the status is the
// query's otherwise (ERROR_FILE_NOT_FOUND for an absent value).
long QueryRaw(IRegistry& reg, RegKey key, const std::string& name, uint32_t maxBytes,
              uint32_t* type, std::vector<uint8_t>* data);

}  // namespace vl
