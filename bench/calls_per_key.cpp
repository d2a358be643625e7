// Row 1, the count: registry calls the walk makes per key on MemoryRegistry,
// against the least the algorithm needs.
#include <cstdio>
#include <string>

#include "bench/bench_stats.h"
#include "bench/memory_tree.h"
#include "repair/delete_registry_tree.h"

using quellbrin::MemoryRegistry;

int main() {
  for (const bench::TreeShape& shape : {bench::kSmallTree, bench::kLargeTree}) {
    MemoryRegistry registry;
    bench::BuildTree(registry, shape);
    registry.ResetCounters();
    if (!quellbrin::DeleteRegistryTree(registry, quellbrin::kLocalMachine, bench::kMemoryTree) ||
        registry.Exists(bench::kMemoryTree)) {
      std::fprintf(stderr, "calls: the walk did not delete the tree\n");
      return 1;
    }
    // Keys deleted: the subtree and its root.
    const double keys = static_cast<double>(shape.Keys() + 1);
    const double open = registry.CountOf(MemoryRegistry::Op::Open) / keys;
    const double close = registry.CountOf(MemoryRegistry::Op::Close) / keys;
    const double del = registry.CountOf(MemoryRegistry::Op::Delete) / keys;
    const double enumerate = registry.CountOf(MemoryRegistry::Op::Enum) / keys;
    const double all = (registry.CallCount() + registry.CountOf(MemoryRegistry::Op::Close)) / keys;
    // One open, close and delete per key; one enumeration per subkey plus
    // the one that finds no more, i.e. 2 * keys - 1 in all.
    const double minEnum = (2 * keys - 1) / keys;
    const double minimum = 3 + minEnum;
    const bool atMinimum = open == 1 && close == 1 && del == 1 && enumerate == minEnum;
    const std::string label = shape.Keys() == 2000 ? "2,000" : "20,000";
    bench::Row("1 Registry calls per key, " + label + " keys, walk vs minimum",
               bench::Fmt("%.4f", all), bench::Fmt("%.4f", minimum),
               bench::Fmt("%.3f", all / minimum), "<= 1.0 (each op)", bench::Met(atMinimum));
    bench::Note("Calls per key, " + label + " keys: open " + bench::Fmt("%.4f", open) + ", close " +
                bench::Fmt("%.4f", close) + ", delete " + bench::Fmt("%.4f", del) +
                ", enumerate " + bench::Fmt("%.4f", enumerate) + " (minimum 1, 1, 1, " +
                bench::Fmt("%.4f", minEnum) + ")");
  }
  return 0;
}
