#include "platform/registry.h"

#include <cstring>

namespace vl {

long QueryText(IRegistry& reg, RegKey key, const std::string& name, uint32_t bufferSize,
               std::string* text, uint32_t* type) {
  // A walk reads a few hundred values per run: the usual sizes take their
  // buffer from the stack, not a heap block each.
  uint8_t local[1024];
  std::vector<uint8_t> large;
  uint8_t* buffer = local;
  if (bufferSize > sizeof local) {
    large.resize(bufferSize);
    buffer = large.data();
  }
  uint32_t size = bufferSize;
  uint32_t valueType = 0;
  long rc = reg.QueryValue(key, name, &valueType, buffer, &size);
  if (rc != kErrorSuccess) return rc;
  if (size > bufferSize) size = bufferSize;
  const char* bytes = reinterpret_cast<const char*>(buffer);
  const void* nul = std::memchr(bytes, 0, size);
  text->assign(bytes, nul ? static_cast<const char*>(nul) - bytes : size);
  if (type) *type = valueType;
  return rc;
}

long QueryRaw(IRegistry& reg, RegKey key, const std::string& name, uint32_t maxBytes,
              uint32_t* type, std::vector<uint8_t>* data) {
  // The values the program reads so are numbers and short texts: one query
  // reads them, a longer one takes a second with the size the first told.
  uint32_t capacity = maxBytes < 64 ? maxBytes : 64;
  for (int attempt = 0; attempt < 2; ++attempt) {
    data->assign(capacity + 1, 0);  // never a zero-length buffer
    uint32_t size = capacity;
    const long status = reg.QueryValue(key, name, type, data->data(), &size);
    if (status == kErrorSuccess) {
      data->resize(size <= capacity ? size : capacity);
      return status;
    }
    if (status != kErrorMoreData || size <= capacity || size > maxBytes) {
      data->clear();
      return status;
    }
    capacity = size;
  }
  data->clear();
  return kErrorMoreData;
}

}  // namespace vl
