// The command-line verb parser over any bytes.
#include <cstdint>
#include <string>

#include "app/startup.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  std::string verb = vl::ParseVerb(line);
  if (verb.size() >= line.size() && !line.empty()) __builtin_trap();
  return 0;
}
