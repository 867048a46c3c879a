// The owner of a kernel handle (a thread, a process, a token, a snapshot):
// it closes the handle when it goes or takes another, and nothing else
// closes it. Null and INVALID_HANDLE_VALUE both stand for no handle (the
// calls that make handles fail with one or the other) and are never closed.
#pragma once
#include <windows.h>

namespace vl {

class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ~ScopedHandle() { reset(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return IsHandle(handle_); }
  // For a call that hands its new handle out through a pointer; any handle
  // held before is closed first.
  HANDLE* Receive() {
    reset();
    return &handle_;
  }
  void reset(HANDLE handle = nullptr) {
    if (IsHandle(handle_) && handle_ != handle) CloseHandle(handle_);
    handle_ = handle;
  }
  // The handle is the caller's from now on.
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  static bool IsHandle(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
  HANDLE handle_ = nullptr;
};

}  // namespace vl
