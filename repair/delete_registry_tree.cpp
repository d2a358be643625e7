#include "repair/delete_registry_tree.h"

namespace quellbrin {

namespace {
constexpr std::uint32_t kChildCapacity = 512;
}

bool DeleteRegistryTree(Registry& registry, RegKey parent, const std::wstring& name_in) {
  const std::wstring name = name_in;
  if (name.empty()) return false;

  ScopedRegKey key(registry);
  RegStatus status =
      registry.OpenKey(parent, name.c_str(), kAccessDelete | kAccessEnumerateSubKeys, key.put());
  if (status != kErrorSuccess) return false;

  // On the heap: the walk may go 512 levels deep.
  std::wstring child(kChildCapacity, L' ');
  bool done = false;
  while (status == kErrorSuccess && !done) {
    std::uint32_t childLength = kChildCapacity;
    // The index stays 0: deleting the first subkey moves the next one into its place.
    status = registry.EnumKey(key.get(), 0, child.data(), &childLength);
    if (status == kErrorNoMoreItems) {
      // Deleted through the parent while our own handle is still open.
      status = registry.DeleteKey(parent, name.c_str());
      done = true;
    } else if (status == kErrorSuccess) {
      if (childLength > kChildCapacity) return false;  // a broken enumeration; never read past
      if (!DeleteRegistryTree(registry, key.get(), std::wstring(child.data(), childLength))) {
        status = -1;
      }
    }
  }
  return status == kErrorSuccess;
}

}  // namespace quellbrin
