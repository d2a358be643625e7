// A program started from a download folder must not load a DLL planted
// beside it or in its working directory.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/win/in_process_probe.h"
#include "tests/win/program_under_test.h"

namespace quellbrin {
namespace {

using test::OwnFolder;
using test::RunningProgram;

// Names that Windows' system DLLs load on demand, by bare name, after the
// program has started. Not uxtheme: Wine's user32 loads it while the DLLs
// initialise, before the program's first line, and its comctl32 resolves it
// by a delay import that ignores the search flags (Windows does neither).
// Nor imm32, version or msimg32, which Wine's system DLLs (and its uxtheme)
// import statically (Windows takes imm32 from its KnownDLLs). A planted copy
// of those would load under Wine whatever the program does.
const wchar_t* const kPlantedNames[] = {L"dwmapi.dll", L"winmm.dll", L"cryptbase.dll",
                                        L"wtsapi32.dll"};

// Wine has builtin DLLs of these names and by default would not look at a
// file of that name at all. Set to "native,builtin" for quellbrin.exe, its
// loader searches for a file first, as Windows always does; which folders it
// searches stays the program's doing. Registry, not WINEDLLOVERRIDES: the
// variable does not reach a process started from Windows code.
class NativeFirst {
 public:
  static constexpr const wchar_t* kApp = L"Software\\Wine\\AppDefaults\\quellbrin.exe";
  static constexpr const wchar_t* kKey =
      L"Software\\Wine\\AppDefaults\\quellbrin.exe\\DllOverrides";
  NativeFirst() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    const wchar_t order[] = L"native,builtin";
    ok_ = true;
    for (const wchar_t* name : kPlantedNames) {
      const std::wstring base = std::wstring(name).substr(0, std::wstring(name).find(L'.'));
      ok_ = ok_ && RegSetValueExW(key, base.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(order),
                                  sizeof(order)) == ERROR_SUCCESS;
    }
    RegCloseKey(key);
  }
  ~NativeFirst() {
    RegDeleteKeyW(HKEY_CURRENT_USER, kKey);
    RegDeleteKeyW(HKEY_CURRENT_USER, kApp);
  }
  bool ok() const { return ok_; }

 private:
  bool ok_ = false;
};

class ScopedVariable {
 public:
  ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    wchar_t old[1024];
    const DWORD n = GetEnvironmentVariableW(name, old, 1024);
    had_ = n > 0 && n < 1024;
    if (had_) old_ = old;
    SetEnvironmentVariableW(name, value.c_str());
  }
  ~ScopedVariable() { SetEnvironmentVariableW(name_, had_ ? old_.c_str() : nullptr); }

 private:
  const wchar_t* name_;
  bool had_ = false;
  std::wstring old_;
};

// A download folder with the program in it and the DLL under every name, and
// a working directory planted the same way.
class PlantedFolder {
 public:
  explicit PlantedFolder(const std::wstring& exe) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"quellbrin-planted-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(GetTickCount()) + L"\\";
    ok_ = CreateDirectoryW(root_.c_str(), nullptr) &&
          CreateDirectoryW(app().c_str(), nullptr) &&
          CreateDirectoryW(work().c_str(), nullptr) &&
          CopyFileW(exe.c_str(), program().c_str(), FALSE);
    const std::wstring dll = OwnFolder() + L"planted\\planted_probe.dll";
    for (const wchar_t* name : kPlantedNames)
      ok_ = ok_ && CopyFileW(dll.c_str(), (app() + name).c_str(), FALSE) &&
            CopyFileW(dll.c_str(), (work() + name).c_str(), FALSE);
  }
  ~PlantedFolder() {
    for (const std::wstring& dir : {app(), work()}) {
      for (const wchar_t* name : kPlantedNames) DeleteFileW((dir + name).c_str());
      DeleteFileW((dir + L"quellbrin.exe").c_str());
      RemoveDirectoryW(dir.c_str());
    }
    DeleteFileW(marker().c_str());
    RemoveDirectoryW(root_.c_str());
  }
  bool ok() const { return ok_; }
  std::wstring app() const { return root_ + L"Downloads\\"; }
  std::wstring work() const { return root_ + L"work\\"; }
  std::wstring program() const { return app() + L"quellbrin.exe"; }
  std::wstring marker() const { return root_ + L"marker.txt"; }

  // What the planted DLL wrote: one line per load.
  std::wstring Loaded() const {
    HANDLE file = CreateFileW(marker().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<wchar_t> text(8192);
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    return std::wstring(text.data(), read / sizeof(wchar_t));
  }

 private:
  std::wstring root_;
  bool ok_ = false;
};

// Starts the program from the planted folder, uses it a little, closes it.
// Returns what the planted DLL wrote; *exitCode gets the program's exit code.
std::wstring RunPlanted(const std::wstring& exe, DWORD* exitCode) {
  PlantedFolder folder(exe);
  EXPECT_TRUE(folder.ok());
  ScopedVariable marker(L"QUELLBRIN_MARKER", folder.marker());
  NativeFirst order;
  EXPECT_TRUE(order.ok());
  {
    RunningProgram program;
    if (program.Start(folder.program(), folder.work())) {
      // Focus moves and the pointer over the buttons: the themed drawing paths.
      SetForegroundWindow(program.window());
      for (int i = 0; i < 3; ++i) {
        PostMessageW(program.window(), WM_KEYDOWN, VK_TAB, 0);
        PostMessageW(program.window(), WM_KEYUP, VK_TAB, 0xC0000000);
      }
      RECT r;
      GetWindowRect(program.window(), &r);
      SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      Sleep(500);
      SetCursorPos(r.right - 40, r.bottom - 30);
      Sleep(500);
      // Wine's own DLLs load none of these names on demand here; the probe
      // loads each by bare name from the program's thread, as Windows' DLLs
      // do, through the program's DLL search path.
      static test::ProbeResult probe;
      probe = {};
      wchar_t* next = probe.names;
      for (const wchar_t* name : kPlantedNames) {
        lstrcpyW(next, name);
        next += lstrlenW(name) + 1;
      }
      EXPECT_TRUE(test::ProbeInProcess(program.window(), test::kProbeLoadDlls, &probe));
      *exitCode = program.Close();
    }
  }
  return folder.Loaded();
}

TEST(PlantedDll, IsNeverLoaded) {
  DWORD exitCode = STILL_ACTIVE;
  const std::wstring loaded = RunPlanted(OwnFolder() + L"quellbrin.exe", &exitCode);
  EXPECT_EQ(loaded, L"") << "the program loaded a planted DLL";
  EXPECT_EQ(exitCode, 0u);
}

// The same program without the search restriction loads every one of them
// from its folder: the planted folder above is a real threat, not a vacuous test.
TEST(PlantedDll, IsLoadedByABuildWithoutTheRestriction) {
  DWORD exitCode = STILL_ACTIVE;
  const std::wstring loaded = RunPlanted(OwnFolder() + L"unhardened\\quellbrin.exe", &exitCode);
  for (const wchar_t* name : kPlantedNames)
    EXPECT_NE(loaded.find(std::wstring(L"\\Downloads\\") + name), std::wstring::npos)
        << testing::PrintToString(std::wstring(name)) << " in " << testing::PrintToString(loaded);
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace quellbrin
