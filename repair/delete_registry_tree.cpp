#include "repair/delete_registry_tree.h"

#include <vector>

namespace quellbrin {

namespace {
constexpr std::uint32_t kChildCapacity = 512;
}

// Plain wide-character buffers rather than std::wstring: the program then
// links none of the library's wide-string code.
bool DeleteRegistryTree(Registry& registry, RegKey parent, const wchar_t* name_in) {
  if (name_in == nullptr || name_in[0] == L'\0') return false;
  std::size_t length = 0;
  while (name_in[length] != L'\0') ++length;
  const std::vector<wchar_t> name(name_in, name_in + length + 1);  // a private copy

  ScopedRegKey key(registry);
  RegStatus status =
      registry.OpenKey(parent, name.data(), kAccessDelete | kAccessEnumerateSubKeys, key.put());
  if (status != kErrorSuccess) return false;

  // On the heap: the walk may go 512 levels deep.
  std::vector<wchar_t> child(kChildCapacity + 1, L' ');
  child[kChildCapacity] = L'\0';
  bool done = false;
  while (status == kErrorSuccess && !done) {
    std::uint32_t childLength = kChildCapacity;
    // The index stays 0: deleting the first subkey moves the next one into its place.
    status = registry.EnumKey(key.get(), 0, child.data(), &childLength);
    if (status == kErrorNoMoreItems) {
      // Deleted through the parent while our own handle is still open.
      status = registry.DeleteKey(parent, name.data());
      done = true;
    } else if (status == kErrorSuccess) {
      if (childLength > kChildCapacity) return false;  // a broken enumeration; never read past
      child[childLength] = L'\0';
      if (!DeleteRegistryTree(registry, key.get(), child.data())) status = -1;
    }
  }
  return status == kErrorSuccess;
}

}  // namespace quellbrin
