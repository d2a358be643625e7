// The benchmark trees: three levels below a root key, the same shape in the
// Wine registry and in MemoryRegistry.
#pragma once

#include <cstdio>
#include <string>

namespace bench {

struct TreeShape {
  int first, second, third;  // subkeys of the root, of each first-level key, of each second-level key
  // Keys below the root.
  long Keys() const { return long{first} * (1 + long{second} * (1 + third)); }
};

constexpr TreeShape kSmallTree{20, 9, 10};   // 2,000 keys
constexpr TreeShape kLargeTree{20, 27, 36};  // 20,000 keys

// Fixed-width names, so that name order is creation order.
inline std::wstring ChildName(int level, int index) {
  wchar_t buffer[32];
  std::swprintf(buffer, 32, L"Level%d_%04d", level, index);
  return buffer;
}

}  // namespace bench
