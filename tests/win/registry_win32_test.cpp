// The walk against the real (Wine) registry through the Win32 adapter.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/scoped_win32.h"
#include "repair/delete_registry_tree.h"
#include "repair/registry_win32.h"

namespace quellbrin {
namespace {

constexpr const wchar_t* kRoot = L"SOFTWARE\\QuellbrinWalkTest";

bool KeyExists(const std::wstring& path) {
  ScopedKey key;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void MakeKeyWithValues(const std::wstring& path) {
  ScopedKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, key.put(), nullptr),
            ERROR_SUCCESS);
  for (const wchar_t* name : {L"Text", L"Other"}) {
    const wchar_t data[] = L"value";
    RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data), sizeof(data));
  }
  const DWORD number = 42;
  RegSetValueExW(key.get(), L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof(number));
}

TEST(Win32Registry, WalkDeletesAGeneratedThreeLevelTree) {
  const std::wstring root = kRoot;
  const std::wstring target = root + L"\\Target";
  MakeKeyWithValues(root + L"\\Sibling");
  MakeKeyWithValues(target);
  for (int a = 0; a < 4; ++a) {
    const std::wstring la = target + L"\\Level1_" + std::to_wstring(a);
    MakeKeyWithValues(la);
    for (int b = 0; b < 3; ++b) MakeKeyWithValues(la + L"\\Level2_" + std::to_wstring(b) + L"\\Leaf");
  }
  Win32Registry registry;
  EXPECT_TRUE(DeleteRegistryTree(registry, kLocalMachine, target + L"\\"));
  EXPECT_FALSE(KeyExists(target));
  EXPECT_TRUE(KeyExists(root + L"\\Sibling"));
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRoot);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kRoot);
}

TEST(Win32Registry, WalkFailsCleanlyOnAMissingKey) {
  Win32Registry registry;
  EXPECT_FALSE(DeleteRegistryTree(registry, kLocalMachine, L"SOFTWARE\\QuellbrinNoSuchKey\\"));
  EXPECT_FALSE(KeyExists(L"SOFTWARE\\QuellbrinNoSuchKey"));
}

TEST(Win32Registry, EnumerationReportsNoMoreItemsAndNameLength) {
  const std::wstring key = std::wstring(kRoot) + L"\\Enum";
  MakeKeyWithValues(key + L"\\Only");
  Win32Registry registry;
  RegKey opened = 0;
  ASSERT_EQ(registry.OpenKey(kLocalMachine, key.c_str(), 0x10008, &opened), 0);
  wchar_t name[513];
  std::uint32_t length = 512;
  EXPECT_EQ(registry.EnumKey(opened, 0, name, &length), 0);
  EXPECT_EQ(std::wstring(name, length), L"Only");
  length = 512;
  EXPECT_EQ(registry.EnumKey(opened, 1, name, &length), kErrorNoMoreItems);
  registry.CloseKey(opened);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kRoot);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kRoot);
}

}  // namespace
}  // namespace quellbrin
