// Cursors: one of our own that is destroyed with its owner, and the wait
// cursor for the length of a scope.
#pragma once
#include <windows.h>

namespace ui {

// A cursor made for us (CopyCursor, CreateCursor, LoadImage without
// LR_SHARED), destroyed with its owner. Shared cursors from LoadCursor are
// never given to it.
class ScopedCursor {
 public:
  ScopedCursor() = default;
  explicit ScopedCursor(HCURSOR cursor) : cursor_(cursor) {}
  ~ScopedCursor() { reset(); }
  ScopedCursor(const ScopedCursor&) = delete;
  ScopedCursor& operator=(const ScopedCursor&) = delete;

  HCURSOR get() const { return cursor_; }
  void reset(HCURSOR cursor = nullptr) {
    if (cursor_ && cursor_ != cursor) DestroyCursor(cursor_);
    cursor_ = cursor;
  }

 private:
  HCURSOR cursor_ = nullptr;
};

// The hourglass while a command works without running messages; the
// previous cursor comes back on leaving.
class ScopedWaitCursor {
 public:
  ScopedWaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
  ~ScopedWaitCursor() { SetCursor(previous_); }
  ScopedWaitCursor(const ScopedWaitCursor&) = delete;
  ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace ui
