#include "tests/e2e/font_probe.h"

#include <string>

#include "common/scoped_win32.h"

namespace e2e {

namespace {
void UnhookIgnoringResult(HHOOK hook) { UnhookWindowsHookEx(hook); }
void UnmapIgnoringResult(void* view) { UnmapViewOfFile(view); }
using ScopedHook = quellbrin::Scoped<HHOOK, UnhookIgnoringResult>;
using ScopedView = quellbrin::Scoped<void*, UnmapIgnoringResult>;
}  // namespace

bool ProbeFont(HWND control, FontProbeResult* result) {
  *result = FontProbeResult{};
  wchar_t self[MAX_PATH];
  std::wstring dll(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  dll.erase(dll.find_last_of(L"\\/") + 1);
  dll += L"e2e_font_probe.dll";

  quellbrin::ScopedHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                                     0, sizeof(FontProbeResult),
                                                     kFontProbeMapping));
  if (!mapping) return false;
  ScopedView view(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(FontProbeResult)));
  if (!view) return false;
  auto* shared = static_cast<FontProbeResult*>(view.get());
  *shared = FontProbeResult{};

  quellbrin::ScopedModule module(LoadLibraryW(dll.c_str()));
  if (!module) return false;
  auto proc = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(module.get(), "FontProbeHook")));
  const DWORD thread = GetWindowThreadProcessId(control, nullptr);
  ScopedHook hook(SetWindowsHookExW(WH_CALLWNDPROC, proc, module.get(), thread));
  if (!hook) return false;
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(control, RegisterWindowMessageW(kFontProbeMessage), 0, 0, SMTO_BLOCK, 5000,
                      &ignored);
  *result = *shared;
  return result->done != FALSE;
}

}  // namespace e2e
