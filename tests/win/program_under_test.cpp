#include "tests/win/program_under_test.h"

#include <vector>

#include "app/main_window_win32.h"

namespace quellbrin::test {

std::wstring OwnFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) break;
    path.resize(path.size() * 2);
  }
  std::wstring folder(path.data());
  return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

namespace {

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK Match(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t title[128] = {};
  GetWindowTextW(hwnd, title, 128);
  if (owner == search->process && std::wstring(title) == kWindowTitle) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool RunningProgram::Start(const std::wstring& exe, const std::wstring& folder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring command = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info_))
    return false;
  for (int i = 0; i < 300 && window_ == nullptr; ++i) {
    Search search{info_.dwProcessId, nullptr};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    window_ = search.found;
    if (window_ == nullptr && WaitForSingleObject(info_.hProcess, 100) == WAIT_OBJECT_0) break;
  }
  return window_ != nullptr;
}

DWORD RunningProgram::Close() {
  if (info_.hProcess == nullptr) return STILL_ACTIVE;
  if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(info_.hProcess, 20000) == WAIT_OBJECT_0)
    GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

RunningProgram::~RunningProgram() {
  if (info_.hProcess == nullptr) return;
  if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ProbeInProcess(HWND window, ProbeQuery query, ProbeResult* result) {
  result->done = FALSE;
  HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(ProbeResult), kProbeMapping);
  auto* view = mapping == nullptr ? nullptr
                                  : static_cast<ProbeResult*>(MapViewOfFile(
                                        mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeResult)));
  HMODULE dll = LoadLibraryW((OwnFolder() + L"in_process_probe.dll").c_str());
  auto hook = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void (*)()>(GetProcAddress(dll, "ProbeHook")));
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  HHOOK installed =
      hook != nullptr && view != nullptr ? SetWindowsHookExW(WH_CALLWNDPROC, hook, dll, thread)
                                         : nullptr;
  if (installed != nullptr) {
    *view = *result;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, RegisterWindowMessageW(kProbeMessage), query, 0,
                        SMTO_ABORTIFHUNG, 10000, &ignored);
    *result = *view;
    UnhookWindowsHookEx(installed);
  }
  if (dll != nullptr) FreeLibrary(dll);
  if (view != nullptr) UnmapViewOfFile(view);
  if (mapping != nullptr) CloseHandle(mapping);
  return result->done;
}

}  // namespace quellbrin::test
