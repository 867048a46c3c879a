// Owners of device contexts and GDI objects, in the manner of SumatraPDF's
// scoped helpers: a paint handler reads as what it draws, and no early return
// leaks a DC, a selection or an object.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

// A window's device context, released on leaving; the screen's for a null
// window.
class ScopedGetDC {
 public:
  explicit ScopedGetDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~ScopedGetDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  ScopedGetDC(const ScopedGetDC&) = delete;
  ScopedGetDC& operator=(const ScopedGetDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint and EndPaint of a WM_PAINT.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~ScopedPaint() { EndPaint(hwnd_, &ps_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_ = {};
  HDC dc_;
};

// A memory DC compatible with another, deleted on leaving.
class ScopedMemDC {
 public:
  explicit ScopedMemDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~ScopedMemDC() {
    if (dc_) DeleteDC(dc_);
  }
  ScopedMemDC(const ScopedMemDC&) = delete;
  ScopedMemDC& operator=(const ScopedMemDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// An object selected into a DC; the previous one comes back on leaving.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelectObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A palette selected into a DC and realized; the previous one comes back on
// leaving.
class ScopedSelectPalette {
 public:
  ScopedSelectPalette(HDC dc, HPALETTE palette)
      : dc_(dc), previous_(dc && palette ? SelectPalette(dc, palette, FALSE) : nullptr) {
    if (previous_) RealizePalette(dc_);
  }
  ~ScopedSelectPalette() {
    if (previous_) SelectPalette(dc_, previous_, FALSE);
  }
  ScopedSelectPalette(const ScopedSelectPalette&) = delete;
  ScopedSelectPalette& operator=(const ScopedSelectPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

// A GDI object of our own (font, bitmap, palette, brush), deleted with its
// owner. Select it out of every DC before the owner goes.
template <typename T>
class ScopedGdiObj {
 public:
  ScopedGdiObj() = default;
  explicit ScopedGdiObj(T object) : object_(object) {}
  ~ScopedGdiObj() { reset(); }
  ScopedGdiObj(ScopedGdiObj&& other) noexcept : object_(other.release()) {}
  ScopedGdiObj& operator=(ScopedGdiObj&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ScopedGdiObj(const ScopedGdiObj&) = delete;
  ScopedGdiObj& operator=(const ScopedGdiObj&) = delete;

  T get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void reset(T object = nullptr) {
    if (object_ && object_ != object) DeleteObject(object_);
    object_ = object;
  }
  T release() {
    T object = object_;
    object_ = nullptr;
    return object;
  }

 private:
  T object_ = nullptr;
};

// The size of `text` drawn in a window with `font`; with a null font, the
// window's own (WM_GETFONT), else the default GUI font.
SIZE MeasureText(HWND window, const std::string& text, HFONT font = nullptr);

}  // namespace ui
