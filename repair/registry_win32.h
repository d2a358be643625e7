#pragma once

#include "repair/registry.h"

namespace quellbrin {

// The Windows registry, through advapi32, in the process's default view.
class Win32Registry final : public Registry {
 public:
  RegStatus OpenKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                    RegKey* out) override;
  RegStatus EnumKey(RegKey key, std::uint32_t index, wchar_t* name,
                    std::uint32_t* length) override;
  RegStatus DeleteKey(RegKey parent, const wchar_t* name) override;
  RegStatus CreateKey(RegKey parent, const wchar_t* name, std::uint32_t access,
                      RegKey* out) override;
  void CloseKey(RegKey key) override;
};

}  // namespace quellbrin
