// Runs inside quellbrin.exe as a window hook. It reads the window's class
// icon, which Wine, unlike Windows, keeps out of other processes' reach, and
// loads DLLs by name from the program's thread, as a system DLL would.
#include <windows.h>

#include <cstring>

#include "tests/probe_hook_win32.h"
#include "tests/win/in_process_probe.h"

using namespace quellbrin::test;

namespace {

void Answer(HWND hwnd, WPARAM query, ProbeResult* out) {
  if (query == kProbeClassIcon) {
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrW(hwnd, GCLP_HICON));
    out->hasIcon = icon != nullptr;
    const auto pixels = IconPixels(icon);
    out->is32Bit32x32 = pixels.size() == sizeof(out->pixels);
    if (out->is32Bit32x32) std::memcpy(out->pixels, pixels.data(), pixels.size());
  } else if (query == kProbeLoadDlls) {
    for (const wchar_t* name = out->names; *name != 0; name += lstrlenW(name) + 1)
      if (HMODULE dll = LoadLibraryW(name)) FreeLibrary(dll);
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam,
                                                             LPARAM lParam) {
  if (code == HC_ACTION) probe::Serve<ProbeResult>(lParam, kProbeMessage, kProbeMapping, Answer);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
