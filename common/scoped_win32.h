// Owners for Win32 handles: each closes what it holds in its destructor.
#pragma once

#include <windows.h>

#include <utility>

namespace quellbrin {

template <typename T, auto Close, T Invalid = T{}>
class Scoped {
 public:
  Scoped() = default;
  explicit Scoped(T value) : value_(value) {}
  ~Scoped() { reset(); }
  Scoped(const Scoped&) = delete;
  Scoped& operator=(const Scoped&) = delete;
  Scoped(Scoped&& other) noexcept : value_(std::exchange(other.value_, Invalid)) {}
  Scoped& operator=(Scoped&& other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, Invalid);
    }
    return *this;
  }

  T get() const { return value_; }
  explicit operator bool() const { return value_ != Invalid; }
  // For out-parameters: releases what is held first.
  T* put() {
    reset();
    return &value_;
  }
  T release() { return std::exchange(value_, Invalid); }
  void reset(T value = Invalid) {
    if (value_ != Invalid) Close(value_);
    value_ = value;
  }

 private:
  T value_ = Invalid;
};

namespace detail {
inline void CloseHandleIgnoringResult(HANDLE h) { ::CloseHandle(h); }
inline void CloseKey(HKEY h) { ::RegCloseKey(h); }
inline void DeleteGdiObject(HGDIOBJ h) { ::DeleteObject(h); }
inline void DeleteFontObject(HFONT h) { ::DeleteObject(h); }
inline void DeleteBitmapObject(HBITMAP h) { ::DeleteObject(h); }
inline void DestroyWindowIgnoringResult(HWND h) { ::DestroyWindow(h); }
inline void DeleteDcIgnoringResult(HDC h) { ::DeleteDC(h); }
inline void FreeLibraryIgnoringResult(HMODULE h) { ::FreeLibrary(h); }
}  // namespace detail

using ScopedHandle = Scoped<HANDLE, detail::CloseHandleIgnoringResult>;
using ScopedKey = Scoped<HKEY, detail::CloseKey>;
using ScopedFont = Scoped<HFONT, detail::DeleteFontObject>;
using ScopedBitmap = Scoped<HBITMAP, detail::DeleteBitmapObject>;
using ScopedWindow = Scoped<HWND, detail::DestroyWindowIgnoringResult>;
using ScopedDc = Scoped<HDC, detail::DeleteDcIgnoringResult>;
using ScopedModule = Scoped<HMODULE, detail::FreeLibraryIgnoringResult>;

}  // namespace quellbrin
