// COM for one thread while it uses the shell. ShellExecute may hand its work
// to shell extensions, which are COM objects and many of them want a
// single-threaded apartment; Microsoft asks every thread that calls it to
// initialise COM so first.
#pragma once
#include <windows.h>

#include "platform/win/system_library.h"

namespace vl {

// Enters the calling thread into a single-threaded apartment and leaves it
// again at the end of the scope; a thread already in one stays there. Without
// COM (no ole32.dll) nothing happens, and the shell does what it can without.
class ScopedCom {
 public:
  ScopedCom();
  ~ScopedCom();
  ScopedCom(const ScopedCom&) = delete;
  ScopedCom& operator=(const ScopedCom&) = delete;

 private:
  ScopedModule ole32_;
  bool entered_ = false;  // owes the apartment a CoUninitialize
};

}  // namespace vl
