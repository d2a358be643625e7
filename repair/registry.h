// The few registry calls the repair makes, behind a small interface so that the
// walk runs against the Windows registry and against MemoryRegistry alike.
#pragma once

#include <cstdint>

namespace quellbrin {

using RegStatus = std::int32_t;  // Win32 status code
using RegKey = std::uintptr_t;   // opaque key handle; 0 is no key

constexpr RegStatus kErrorSuccess = 0;
constexpr RegStatus kErrorFileNotFound = 2;
constexpr RegStatus kErrorAccessDenied = 5;
constexpr RegStatus kErrorInvalidHandle = 6;
constexpr RegStatus kErrorInvalidParameter = 87;
constexpr RegStatus kErrorMoreData = 234;
constexpr RegStatus kErrorNoMoreItems = 259;
constexpr RegStatus kErrorKeyDeleted = 1018;

constexpr RegKey kLocalMachine = 0x80000002u;  // HKEY_LOCAL_MACHINE

constexpr std::uint32_t kAccessDelete = 0x00010000u;        // DELETE
constexpr std::uint32_t kAccessEnumerateSubKeys = 0x0008u;  // KEY_ENUMERATE_SUB_KEYS
constexpr std::uint32_t kAccessAll = 0x000F003Fu;           // KEY_ALL_ACCESS

struct Registry {
  // RegOpenKeyExW(parent, name, 0, access, out).
  virtual RegStatus OpenKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                            RegKey* out) = 0;
  // RegEnumKeyExW(key, index, name, length, null, null, null, null); length is
  // in/out in characters, without the terminator on the way out.
  virtual RegStatus EnumKey(RegKey key, std::uint32_t index, wchar_t* name,
                            std::uint32_t* length) = 0;
  // RegDeleteKeyW(parent, name).
  virtual RegStatus DeleteKey(RegKey parent, const wchar_t* name) = 0;
  // RegCreateKeyExW(parent, name, 0, null, non-volatile, access, null, out, disposition).
  virtual RegStatus CreateKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                              RegKey* out) = 0;
  // RegCloseKey(key).
  virtual void CloseKey(RegKey key) = 0;

 protected:
  ~Registry() = default;
};

// Closes the key it holds when it goes out of scope.
class ScopedRegKey {
 public:
  explicit ScopedRegKey(Registry& registry) : registry_(registry) {}
  ~ScopedRegKey() {
    if (key_ != 0) registry_.CloseKey(key_);
  }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;

  RegKey get() const { return key_; }
  RegKey* put() { return &key_; }

 private:
  Registry& registry_;
  RegKey key_ = 0;
};

}  // namespace quellbrin
