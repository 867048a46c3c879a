// Loads a DLL of the system by its full path in the system directory, never
// from the program's folder or the current directory, where anyone could put
// a DLL of the same name.
#pragma once
#include <windows.h>

namespace vl {

// Null when the system does not have it.
HMODULE LoadSystemLibrary(const char* name);

// The owner of a loaded module (a DLL, or a file mapped as data): it frees
// the module when it goes, and nothing else does.
class ScopedModule {
 public:
  explicit ScopedModule(HMODULE module = nullptr) : module_(module) {}
  ~ScopedModule() { reset(); }
  ScopedModule(const ScopedModule&) = delete;
  ScopedModule& operator=(const ScopedModule&) = delete;
  HMODULE get() const { return module_; }
  explicit operator bool() const { return module_ != nullptr; }
  void reset(HMODULE module = nullptr) {
    if (module_ && module_ != module) FreeLibrary(module_);
    module_ = module;
  }

 private:
  HMODULE module_;
};

// GetProcAddress into a typed function pointer.
template <typename F>
bool FindProc(HMODULE module, const char* name, F* proc) {
  *proc = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                 : nullptr;
  return *proc != nullptr;
}

}  // namespace vl
