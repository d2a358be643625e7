// Loaded into quellbrin.exe by a thread hook, as UI spy tools do: reads a
// control's font where the font handle is valid, in the program's own
// process, and hands the LOGFONTW back through shared memory.
#include <windows.h>

#include "tests/e2e/font_probe.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK FontProbeHook(int code, WPARAM wParam,
                                                                 LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (msg->message == RegisterWindowMessageW(e2e::kFontProbeMessage)) {
      HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, e2e::kFontProbeMapping);
      if (mapping != nullptr) {
        auto* out = static_cast<e2e::FontProbeResult*>(
            MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(e2e::FontProbeResult)));
        if (out != nullptr) {
          HFONT font = reinterpret_cast<HFONT>(SendMessageW(msg->hwnd, WM_GETFONT, 0, 0));
          out->hasFont = font != nullptr;
          out->isDefaultGuiFont = font == GetStockObject(DEFAULT_GUI_FONT);
          out->valid = font != nullptr && GetObjectW(font, sizeof(out->font), &out->font) ==
                                              static_cast<int>(sizeof(out->font));
          out->done = TRUE;
          UnmapViewOfFile(out);
        }
        CloseHandle(mapping);
      }
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
