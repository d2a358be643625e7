// The probe's hook, running inside quellbrin.exe.
#include <windows.h>
#include <commctrl.h>

#include "tests/e2e/probe.h"
#include "tests/probe_hook_win32.h"

namespace {

BOOL CALLBACK CollectTooltip(HWND hwnd, LPARAM param) {
  auto* out = reinterpret_cast<e2e::ProbeResult*>(param);
  wchar_t cls[64];
  if (GetClassNameW(hwnd, cls, 64) > 0 && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) {
    if (out->tooltips++ == 0) out->tooltip = hwnd;
  }
  return TRUE;
}

void AnswerTooltip(HWND hwnd, e2e::ProbeResult* out) {
  EnumThreadWindows(GetWindowThreadProcessId(hwnd, nullptr), CollectTooltip,
                    reinterpret_cast<LPARAM>(out));
  if (out->tooltip == nullptr) return;
  out->toolCount = static_cast<int>(SendMessageW(out->tooltip, TTM_GETTOOLCOUNT, 0, 0));
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.lpszText = out->toolText;  // TTM_ENUMTOOLS copies at most 80 characters
  if (SendMessageW(out->tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) {
    out->toolFlags = tool.uFlags;
    out->toolOwner = tool.hwnd;
    out->toolId = tool.uId;
  }
}

void Answer(HWND hwnd, WPARAM query, e2e::ProbeResult* out) {
  if (query == e2e::kProbeFont) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    out->hasFont = font != nullptr;
    out->isDefaultGuiFont = font == GetStockObject(DEFAULT_GUI_FONT);
    out->validFont = font != nullptr && GetObjectW(font, sizeof(out->font), &out->font) ==
                                            static_cast<int>(sizeof(out->font));
  } else if (query == e2e::kProbeTooltip) {
    AnswerTooltip(hwnd, out);
  } else if (query == e2e::kProbeSystemMenu) {
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    out->menuItems = -1;
    if (menu == nullptr) return;
    const int count = GetMenuItemCount(menu);
    out->menuItems = count < 32 ? count : 32;
    for (int i = 0; i < out->menuItems; ++i) {
      auto& item = out->menu[i];
      item.id = GetMenuItemID(menu, i);
      item.state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
      GetMenuStringW(menu, static_cast<UINT>(i), item.text, 64, MF_BYPOSITION);
    }
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam,
                                                             LPARAM lParam) {
  if (code == HC_ACTION) {
    probe::Serve<e2e::ProbeResult>(lParam, e2e::kProbeMessage, e2e::kProbeMapping, Answer);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
