// Row 1 under Wine: DeleteRegistryTree through Win32Registry against
// RegDeleteTreeW and SHDeleteKeyW, each on a freshly generated identical tree.
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "bench/tree_shape.h"
#include "repair/delete_registry_tree.h"
#include "repair/registry_win32.h"

namespace {

constexpr const wchar_t* kBase = L"SOFTWARE\\QuellbrinBench";
constexpr const wchar_t* kTree = L"SOFTWARE\\QuellbrinBench\\Tree";

void SetValues(HKEY key, int n) {
  const wchar_t text[] = L"QuellbrinBenchValue";
  RegSetValueExW(key, L"Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
  const DWORD number = static_cast<DWORD>(n);
  RegSetValueExW(key, L"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof(number));
}

HKEY Create(HKEY parent, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(parent, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return key;
}

// Values at every level, the root included.
bool Generate(const bench::TreeShape& shape) {
  HKEY root = Create(HKEY_LOCAL_MACHINE, kTree);
  if (root == nullptr) return false;
  SetValues(root, 0);
  long made = 0;
  for (int a = 0; a < shape.first; ++a) {
    HKEY k1 = Create(root, bench::ChildName(1, a));
    if (k1 == nullptr) break;
    SetValues(k1, a);
    ++made;
    for (int b = 0; b < shape.second; ++b) {
      HKEY k2 = Create(k1, bench::ChildName(2, b));
      if (k2 == nullptr) break;
      SetValues(k2, b);
      ++made;
      for (int c = 0; c < shape.third; ++c) {
        HKEY k3 = Create(k2, bench::ChildName(3, c));
        if (k3 == nullptr) break;
        SetValues(k3, c);
        RegCloseKey(k3);
        ++made;
      }
      RegCloseKey(k2);
    }
    RegCloseKey(k1);
  }
  RegCloseKey(root);
  return made == shape.Keys();
}

bool TreeExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kTree, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

enum Method { kWalk, kRegDeleteTree, kShDeleteKey, kMethods };
const char* const kNames[kMethods] = {"DeleteRegistryTree", "RegDeleteTreeW", "SHDeleteKeyW"};

bool Delete(Method method) {
  switch (method) {
    case kWalk: {
      quellbrin::Win32Registry registry;
      return quellbrin::DeleteRegistryTree(registry, quellbrin::kLocalMachine, kTree);
    }
    case kRegDeleteTree:
      return RegDeleteTreeW(HKEY_LOCAL_MACHINE, kTree) == ERROR_SUCCESS;
    case kShDeleteKey:
      return SHDeleteKeyW(HKEY_LOCAL_MACHINE, kTree) == ERROR_SUCCESS;
    default:
      return false;
  }
}

// Seconds per deletion of each method, one list per method, rounds interleaved.
bool Measure(const bench::TreeShape& shape, int rounds, std::vector<double> (&seconds)[kMethods]) {
  for (int round = -1; round < rounds; ++round) {  // round -1 warms up and is dropped
    for (int m = 0; m < kMethods; ++m) {
      if (!Generate(shape)) {
        std::fprintf(stderr, "repair: generating the tree failed\n");
        return false;
      }
      const double start = Now();
      const bool ok = Delete(static_cast<Method>(m));
      const double elapsed = Now() - start;
      if (!ok || TreeExists()) {
        std::fprintf(stderr, "repair: %s did not delete the tree\n", kNames[m]);
        return false;
      }
      if (round >= 0) seconds[m].push_back(elapsed);
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBase);  // left over from an interrupted run
  bool ok = true;
  for (const bench::TreeShape& shape : {bench::kSmallTree, bench::kLargeTree}) {
    std::vector<double> seconds[kMethods];
    if (!Measure(shape, rounds, seconds)) {
      ok = false;
      break;
    }
    const std::string keys = shape.Keys() == 2000 ? "2,000" : "20,000";
    const double walk = bench::Median(seconds[kWalk]) * 1e3;
    for (int m = kRegDeleteTree; m < kMethods; ++m) {
      const double anchor = bench::Median(seconds[m]) * 1e3;
      const double ratio = bench::Median(bench::Ratios(seconds[kWalk], seconds[m]));
      const bool targeted = m == kRegDeleteTree;
      bench::Row("1 Repair, " + keys + " keys, walk vs " + kNames[m] + " (ms)",
                 bench::Fmt("%.1f", walk), bench::Fmt("%.1f", anchor), bench::Fmt("%.3f", ratio),
                 targeted ? "<= 1.0" : "(none)", targeted ? bench::Met(ratio <= 1.0) : "-");
    }
    bench::Note("Repair, " + keys + " keys: " + std::to_string(rounds) +
                " interleaved rounds after one warm-up round; per key: walk " +
                bench::Fmt("%.1f", walk * 1e3 / static_cast<double>(shape.Keys() + 1)) + " us");
  }
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBase);
  return ok ? 0 : 1;
}
