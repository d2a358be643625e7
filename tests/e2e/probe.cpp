#include "tests/e2e/probe.h"

#include "common/scoped_win32.h"
#include "tests/probe_hook_win32.h"

namespace e2e {

namespace {
void UnhookIgnoringResult(HHOOK hook) { UnhookWindowsHookEx(hook); }
using ScopedHook = quellbrin::Scoped<HHOOK, UnhookIgnoringResult>;
using probe::ScopedView;
}  // namespace

bool Probe(HWND target, ProbeQuery query, ProbeResult* result) {
  *result = ProbeResult{};
  wchar_t self[MAX_PATH];
  std::wstring dll(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  dll.erase(dll.find_last_of(L"\\/") + 1);
  dll += L"e2e_probe.dll";

  quellbrin::ScopedHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                                     0, sizeof(ProbeResult), kProbeMapping));
  if (!mapping) return false;
  ScopedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeResult)));
  if (!view) return false;
  auto* shared = static_cast<ProbeResult*>(view.get());
  *shared = ProbeResult{};

  quellbrin::ScopedModule module(LoadLibraryW(dll.c_str()));
  if (!module) return false;
  auto proc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(module.get(), "ProbeHook")));
  const DWORD thread = GetWindowThreadProcessId(target, nullptr);
  ScopedHook hook(SetWindowsHookExW(WH_CALLWNDPROC, proc, module.get(), thread));
  if (!hook) return false;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(target, RegisterWindowMessageW(kProbeMessage), query, 0, SMTO_BLOCK, 5000,
                      &ignored);
  *result = *shared;
  return result->done != FALSE;
}

std::vector<MenuItem> SystemMenuOf(HWND window) {
  std::vector<MenuItem> items;
  static ProbeResult result;  // large; keep it off the stack
  if (!Probe(window, kProbeSystemMenu, &result)) return items;
  for (int i = 0; i < result.menuItems; ++i) {
    items.push_back({result.menu[i].id, result.menu[i].state, result.menu[i].text});
  }
  return items;
}

}  // namespace e2e
