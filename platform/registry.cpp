#include "platform/registry.h"

namespace vl {

long QueryText(IRegistry& reg, RegKey key, const std::string& name, uint32_t bufferSize,
               std::string* text, uint32_t* type) {
  std::vector<uint8_t> buffer(bufferSize + 1, 0);  // one spare byte: always terminated
  uint32_t size = bufferSize;
  uint32_t valueType = 0;
  long rc = reg.QueryValue(key, name, &valueType, buffer.data(), &size);
  if (rc != kErrorSuccess) return rc;
  if (size > bufferSize) size = bufferSize;
  std::string result(reinterpret_cast<const char*>(buffer.data()), size);
  size_t nul = result.find('\0');
  if (nul != std::string::npos) result.resize(nul);
  *text = result;
  if (type) *type = valueType;
  return rc;
}

}  // namespace vl
