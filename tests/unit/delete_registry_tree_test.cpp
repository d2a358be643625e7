#include "repair/delete_registry_tree.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "repair/memory_registry.h"

namespace quellbrin {
namespace {

constexpr const wchar_t* kTarget = L"SOFTWARE\\Microsoft\\Ole";

// A target three levels deep with values everywhere, and neighbours beside it
// that must survive every run.
void FillFixture(MemoryRegistry& reg) {
  reg.SetValue(L"SOFTWARE\\Microsoft", L"Keep", L"me");
  reg.SetValue(L"SOFTWARE\\Microsoft\\Olf", L"Neighbour", L"1");
  reg.SetValue(L"SOFTWARE\\Microsoft\\OleX\\Child", L"Neighbour", L"2");
  reg.SetValue(kTarget, L"EnableDCOM", L"Y");
  reg.SetValue(kTarget, L"LegacyAuthenticationLevel", L"2");
  for (const wchar_t* a : {L"A", L"b", L"C"}) {
    const std::wstring la = std::wstring(kTarget) + L"\\" + a;
    reg.SetValue(la, L"v1", L"x");
    reg.SetValue(la, L"v2", L"y");
    for (const wchar_t* b : {L"one", L"Two"}) {
      const std::wstring lb = la + L"\\" + b;
      reg.SetValue(lb, L"v", L"z");
      reg.SetValue(lb + L"\\leaf", L"deep", L"w");
    }
  }
}

// The snapshot lines outside the target subtree.
std::vector<std::wstring> Outside(const MemoryRegistry& reg) {
  std::vector<std::wstring> lines;
  const std::wstring prefix = std::wstring(kTarget);
  for (const auto& line : reg.Snapshot()) {
    const bool inside = line.compare(0, prefix.size(), prefix) == 0 &&
                        (line.size() == prefix.size() || line[prefix.size()] == L'\\' ||
                         line[prefix.size()] == L' ');
    if (!inside) lines.push_back(line);
  }
  return lines;
}

TEST(DeleteRegistryTree, KeyWithoutSubkeysTakesOneEnumeration) {
  MemoryRegistry reg;
  reg.SetValue(kTarget, L"v", L"1");
  EXPECT_TRUE(DeleteRegistryTree(reg, kLocalMachine, kTarget));
  EXPECT_FALSE(reg.Exists(kTarget));
  EXPECT_TRUE(reg.Exists(L"SOFTWARE\\Microsoft"));
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Open), 1u);
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Enum), 1u);
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Delete), 1u);
  EXPECT_EQ(reg.OpenHandles(), 0u);
}

TEST(DeleteRegistryTree, ThreeLevelsWithValuesAreAllGone) {
  MemoryRegistry reg;
  FillFixture(reg);
  const auto before = Outside(reg);
  EXPECT_TRUE(DeleteRegistryTree(reg, kLocalMachine, L"SOFTWARE\\Microsoft\\Ole\\"));
  EXPECT_FALSE(reg.Exists(kTarget));
  EXPECT_EQ(Outside(reg), before);
  EXPECT_EQ(reg.OpenHandles(), 0u);
  // One open, one close and one delete per key; one enumeration per subkey plus one.
  const std::uint64_t keys = 1 + 3 + 3 * 2 + 3 * 2;
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Open), keys);
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Close), keys);
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Delete), keys);
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Enum), keys + (keys - 1));
}

TEST(DeleteRegistryTree, MissingKeyChangesNothing) {
  MemoryRegistry reg;
  reg.SetValue(L"SOFTWARE\\Microsoft\\Olf", L"v", L"1");
  const auto before = reg.Snapshot();
  EXPECT_FALSE(DeleteRegistryTree(reg, kLocalMachine, kTarget));
  EXPECT_EQ(reg.Snapshot(), before);
  EXPECT_EQ(reg.OpenHandles(), 0u);
}

TEST(DeleteRegistryTree, EmptyNameTouchesNoRegistry) {
  MemoryRegistry reg;
  FillFixture(reg);
  EXPECT_FALSE(DeleteRegistryTree(reg, kLocalMachine, L""));
  EXPECT_EQ(reg.CallCount(), 0u);
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Close), 0u);
}

TEST(DeleteRegistryTree, RefusedSubkeyAtDepthTwoStopsTheWalkWithoutRetrying) {
  MemoryRegistry reg;
  FillFixture(reg);
  const auto outsideBefore = Outside(reg);
  // Enumerated in name order: A (with one, Two), b (with one, Two), C ...
  reg.DenyOpen(std::wstring(kTarget) + L"\\b\\one", kAccessDelete);
  EXPECT_FALSE(DeleteRegistryTree(reg, kLocalMachine, kTarget));
  EXPECT_FALSE(reg.Exists(std::wstring(kTarget) + L"\\A"));  // deleted before stays deleted
  EXPECT_TRUE(reg.Exists(std::wstring(kTarget) + L"\\b\\one\\leaf"));
  EXPECT_TRUE(reg.Exists(std::wstring(kTarget) + L"\\b\\Two"));
  EXPECT_TRUE(reg.Exists(std::wstring(kTarget) + L"\\C\\one"));
  EXPECT_EQ(reg.ValueCount(kTarget), 2u);
  EXPECT_EQ(Outside(reg), outsideBefore);
  EXPECT_EQ(reg.OpenHandles(), 0u);
  // A: 1 + 2*2 keys opened; then b, then the refused try: no second try.
  EXPECT_EQ(reg.CountOf(MemoryRegistry::Op::Open), 1u + 5u + 1u + 1u);
}

// Records the names the walk hands to the registry.
class RecordingRegistry final : public Registry {
 public:
  explicit RecordingRegistry(MemoryRegistry& inner) : inner_(inner) {}
  RegStatus OpenKey(RegKey p, const wchar_t* n, std::uint32_t a, RegKey* o) override {
    opened.push_back(n);
    accesses.push_back(a);
    return inner_.OpenKey(p, n, a, o);
  }
  RegStatus EnumKey(RegKey k, std::uint32_t i, wchar_t* n, std::uint32_t* l) override {
    indexes.push_back(i);
    lengths.push_back(*l);
    return inner_.EnumKey(k, i, n, l);
  }
  RegStatus DeleteKey(RegKey p, const wchar_t* n) override {
    deleted.push_back(n);
    return inner_.DeleteKey(p, n);
  }
  RegStatus CreateKey(RegKey p, const wchar_t* n, std::uint32_t a, RegKey* o) override {
    return inner_.CreateKey(p, n, a, o);
  }
  void CloseKey(RegKey k) override { inner_.CloseKey(k); }

  std::vector<std::wstring> opened, deleted;
  std::vector<std::uint32_t> accesses, indexes, lengths;

 private:
  MemoryRegistry& inner_;
};

TEST(DeleteRegistryTree, NameGoesToTheRegistryUnchanged) {
  MemoryRegistry mem;
  mem.AddKey(L"SOFTWARE\\Microsoft\\Ole\\Sub");
  RecordingRegistry reg(mem);
  EXPECT_TRUE(DeleteRegistryTree(reg, kLocalMachine, L"SOFTWARE\\Microsoft\\Ole\\"));
  ASSERT_EQ(reg.opened.size(), 2u);
  EXPECT_EQ(reg.opened[0], L"SOFTWARE\\Microsoft\\Ole\\");
  EXPECT_EQ(reg.opened[1], L"Sub");
  EXPECT_EQ(reg.deleted, (std::vector<std::wstring>{L"Sub", L"SOFTWARE\\Microsoft\\Ole\\"}));
  for (auto a : reg.accesses) EXPECT_EQ(a, 0x10008u);
  for (auto i : reg.indexes) EXPECT_EQ(i, 0u);
  for (auto l : reg.lengths) EXPECT_EQ(l, 512u);
}

TEST(DeleteRegistryTree, TreeAtTheRegistrysMaximumDepth) {
  MemoryRegistry reg;
  std::wstring path = kTarget;  // depth 3
  while (std::count(path.begin(), path.end(), L'\\') + 1 < 512) path += L"\\k";
  reg.SetValue(path, L"bottom", L"1");
  ASSERT_TRUE(reg.Exists(path));
  EXPECT_TRUE(DeleteRegistryTree(reg, kLocalMachine, kTarget));
  EXPECT_FALSE(reg.Exists(kTarget));
  EXPECT_EQ(reg.OpenHandles(), 0u);
}

TEST(DeleteRegistryTree, LongestKeyNamesFitTheBuffer) {
  MemoryRegistry reg;
  const std::wstring longName(255, L'n');  // the registry's limit for one name
  reg.AddKey(std::wstring(kTarget) + L"\\" + longName + L"\\" + longName);
  EXPECT_TRUE(DeleteRegistryTree(reg, kLocalMachine, kTarget));
  EXPECT_FALSE(reg.Exists(kTarget));
}

// Every call the walk makes on the fixture, made to fail once.
TEST(DeleteRegistryTree, EachCallFailingOnceLeavesNoHandleAndNothingOutsideTouched) {
  MemoryRegistry probe;
  FillFixture(probe);
  ASSERT_TRUE(DeleteRegistryTree(probe, kLocalMachine, kTarget));
  const std::uint64_t calls = probe.CallCount();
  ASSERT_GT(calls, 20u);

  for (RegStatus code : {kErrorAccessDenied, kErrorMoreData, kErrorInvalidHandle}) {
    for (std::uint64_t n = 0; n < calls; ++n) {
      SCOPED_TRACE(testing::Message() << "call " << n << " fails with " << code);
      MemoryRegistry reg;
      FillFixture(reg);
      const auto outside = Outside(reg);
      reg.FailCall(n, code);
      const bool result = DeleteRegistryTree(reg, kLocalMachine, kTarget);
      EXPECT_EQ(reg.OpenHandles(), 0u);
      EXPECT_EQ(Outside(reg), outside);
      // True only if the whole target really is gone.
      EXPECT_EQ(result, !reg.Exists(kTarget));
      EXPECT_FALSE(result) << "a failed call cannot leave the walk complete here";
    }
  }
}

}  // namespace
}  // namespace quellbrin
