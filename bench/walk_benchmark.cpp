// Row 2: the walk on MemoryRegistry from 1,000 to 1,000,000 keys, ns per key.
// Each iteration deletes a tree built outside the timed region.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "bench/bench_stats.h"
#include "bench/memory_tree.h"
#include "repair/delete_registry_tree.h"

namespace {

// Three levels, as in row 1; the shape for each size.
bench::TreeShape ShapeFor(long keys) {
  switch (keys) {
    case 1000: return {10, 9, 10};     // 10 * (1 + 9 * 11)
    case 10000: return {25, 19, 20};   // 25 * (1 + 19 * 21)
    case 100000: return {40, 49, 50};  // 40 * (1 + 49 * 51)
    default: return {100, 99, 100};    // 100 * (1 + 99 * 101)
  }
}

void BM_Walk(benchmark::State& state) {
  const bench::TreeShape shape = ShapeFor(state.range(0));
  for (auto _ : state) {
    quellbrin::MemoryRegistry registry;
    bench::BuildTree(registry, shape);
    const auto start = std::chrono::steady_clock::now();
    const bool ok =
        quellbrin::DeleteRegistryTree(registry, quellbrin::kLocalMachine, bench::kMemoryTree);
    const auto end = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ok);
    if (!ok) state.SkipWithError("the walk failed");
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  state.counters["ns_per_key"] = benchmark::Counter(
      static_cast<double>(shape.Keys() + 1) * 1e-9,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["keys"] = static_cast<double>(shape.Keys());
}

// Some 200,000 keys or more per size and repetition: the untimed building
// of each tree costs more than its walk.
BENCHMARK(BM_Walk)->Arg(1000)->Iterations(200)->UseManualTime()->Repetitions(5)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Walk)->Arg(10000)->Iterations(20)->UseManualTime()->Repetitions(5)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Walk)->Arg(100000)->Iterations(2)->UseManualTime()->Repetitions(5)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Walk)->Arg(1000000)->Iterations(1)->UseManualTime()->Repetitions(5)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// Keeps Google Benchmark's console output and collects the medians.
class Collect : public benchmark::ConsoleReporter {
 public:
  // No colour: its escape codes would run into the result lines.
  Collect() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.aggregate_name != "median") continue;
      const auto it = run.counters.find("ns_per_key");
      const auto keys = run.counters.find("keys");
      if (it != run.counters.end() && keys != run.counters.end()) {
        nsPerKey[static_cast<long>(keys->second.value)] = it->second.value;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<long, double> nsPerKey;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Collect reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (reporter.nsPerKey.size() != 4) return 1;
  const double smallest = reporter.nsPerKey.begin()->second;
  for (const auto& [keys, ns] : reporter.nsPerKey) {
    const bool last = keys == reporter.nsPerKey.rbegin()->first;
    char label[96];
    std::snprintf(label, sizeof label, "2 Walk on MemoryRegistry, %ld keys (ns/key; anchor: 1,000 keys)",
                  keys);
    bench::Row(label, bench::Fmt("%.1f", ns), bench::Fmt("%.1f", smallest),
               bench::Fmt("%.3f", ns / smallest), last ? "<= 1.5" : "(none)",
               last ? bench::Met(ns / smallest <= 1.5) : "-");
  }
  return 0;
}
