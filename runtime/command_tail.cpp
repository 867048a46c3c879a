#include "runtime/command_tail.h"

namespace vl {

const char* CommandTail(const char* commandLine) {
  // As the C runtime's start-up does it: the name ends at the first blank or
  // control character outside double quotes; bytes above 127 (a path in the
  // ANSI code page) are part of it.
  const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine);
  bool quoted = false;
  while (*p > ' ' || (*p && quoted)) {
    if (*p == '"') quoted = !quoted;
    ++p;
  }
  while (*p && *p <= ' ') ++p;
  return reinterpret_cast<const char*>(p);
}

}  // namespace vl
