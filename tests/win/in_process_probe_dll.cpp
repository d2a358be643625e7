// Runs inside quellbrin.exe as a window hook. It reads the window's class
// icon, which Wine, unlike Windows, keeps out of other processes' reach, and
// loads DLLs by name from the program's thread, as a system DLL would.
#include <windows.h>

#include <cstring>

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
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && msg->message == RegisterWindowMessageW(kProbeMessage)) {
    if (HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, kProbeMapping)) {
      auto* out = static_cast<ProbeResult*>(
          MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeResult)));
      if (out != nullptr) {
        Answer(msg->hwnd, msg->wParam, out);
        out->done = TRUE;
        UnmapViewOfFile(out);
      }
      CloseHandle(mapping);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
