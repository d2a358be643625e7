#include "repair/registry_win32.h"

#include <windows.h>

namespace quellbrin {

namespace {
HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }
RegKey FromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }
}  // namespace

RegStatus Win32Registry::OpenKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                                 RegKey* out) {
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExW(ToHkey(parent), name, 0, access, &key);
  *out = status == ERROR_SUCCESS ? FromHkey(key) : 0;
  return status;
}

RegStatus Win32Registry::EnumKey(RegKey key, std::uint32_t index, wchar_t* name,
                                 std::uint32_t* length) {
  DWORD size = *length;
  const LSTATUS status =
      RegEnumKeyExW(ToHkey(key), index, name, &size, nullptr, nullptr, nullptr, nullptr);
  *length = size;
  return status;
}

RegStatus Win32Registry::DeleteKey(RegKey parent, const wchar_t* name) {
  return RegDeleteKeyW(ToHkey(parent), name);
}

RegStatus Win32Registry::CreateKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                                   RegKey* out) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  const LSTATUS status = RegCreateKeyExW(ToHkey(parent), name, 0, nullptr,
                                         REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                                         &disposition);
  *out = status == ERROR_SUCCESS ? FromHkey(key) : 0;
  return status;
}

void Win32Registry::CloseKey(RegKey key) { RegCloseKey(ToHkey(key)); }

}  // namespace quellbrin
