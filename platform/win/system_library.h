// Loads a DLL of the system by its full path in the system directory, never
// from the program's folder or the current directory, where anyone could put
// a DLL of the same name.
#pragma once
#include <windows.h>

namespace vl {

// Null when the system does not have it.
HMODULE LoadSystemLibrary(const char* name);

// GetProcAddress into a typed function pointer.
template <typename F>
bool FindProc(HMODULE module, const char* name, F* proc) {
  *proc = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                 : nullptr;
  return *proc != nullptr;
}

}  // namespace vl
