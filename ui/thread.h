// Owners for a thread of the window layer: a kernel handle closed by its one
// owner (null and INVALID_HANDLE_VALUE both count as none), and a critical
// section with the lock that holds it for a scope.
#pragma once
#include <windows.h>

namespace ui {

class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() { Reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
  void Reset(HANDLE handle = nullptr) {
    if (valid()) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

class CriticalSection {
 public:
  CriticalSection() { InitializeCriticalSection(&section_); }
  ~CriticalSection() { DeleteCriticalSection(&section_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  class Lock {
   public:
    explicit Lock(CriticalSection& cs) : cs_(cs) { EnterCriticalSection(&cs_.section_); }
    ~Lock() { LeaveCriticalSection(&cs_.section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

   private:
    CriticalSection& cs_;
  };

 private:
  CRITICAL_SECTION section_;
};

}  // namespace ui
