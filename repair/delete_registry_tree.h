#pragma once

#include <string>

#include "repair/registry.h"

namespace quellbrin {

// Deletes `name` under `parent` with everything beneath it, depth first, one key
// at a time. True if and only if the key and its whole subtree are gone.
bool DeleteRegistryTree(Registry& registry, RegKey parent, const wchar_t* name);

inline bool DeleteRegistryTree(Registry& registry, RegKey parent, const std::wstring& name) {
  return DeleteRegistryTree(registry, parent, name.c_str());
}

}  // namespace quellbrin
