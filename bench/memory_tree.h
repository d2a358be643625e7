// Builds the benchmark trees in a MemoryRegistry, one value on every key.
#pragma once

#include <string>

#include "bench/tree_shape.h"
#include "repair/memory_registry.h"

namespace bench {

constexpr const wchar_t* kMemoryTree = L"SOFTWARE\\QuellbrinBench\\Tree";

inline void BuildTree(quellbrin::MemoryRegistry& registry, const TreeShape& shape) {
  const std::wstring root = kMemoryTree;
  registry.SetValue(root, L"Name", L"root");
  for (int a = 0; a < shape.first; ++a) {
    const std::wstring k1 = root + L"\\" + ChildName(1, a);
    registry.SetValue(k1, L"Name", L"1");
    for (int b = 0; b < shape.second; ++b) {
      const std::wstring k2 = k1 + L"\\" + ChildName(2, b);
      registry.SetValue(k2, L"Name", L"2");
      for (int c = 0; c < shape.third; ++c) {
        registry.SetValue(k2 + L"\\" + ChildName(3, c), L"Name", L"3");
      }
    }
  }
}

}  // namespace bench
