// The owner of a critical section, with the lock that holds it for a scope,
// for the window layer's threads (their handles have vl::ScopedHandle).
#pragma once
#include <windows.h>

namespace ui {

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
