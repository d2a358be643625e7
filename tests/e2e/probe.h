// Reads what only the program's own process can see (its font objects, its
// system menu) by a thread hook DLL loaded into it, as UI spy tools do; the
// answer comes back through shared memory.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

inline constexpr const wchar_t* kProbeMessage = L"QuellbrinE2eProbe";
inline constexpr const wchar_t* kProbeMapping = L"Local\\QuellbrinE2eProbe";

enum ProbeQuery : WPARAM { kProbeFont = 1, kProbeSystemMenu = 2, kProbeTooltip = 3 };

struct ProbeMenuItem {
  UINT id;
  UINT state;  // GetMenuState flags
  wchar_t text[64];
};

struct ProbeResult {
  BOOL done;
  // kProbeFont
  BOOL hasFont;
  BOOL isDefaultGuiFont;
  BOOL validFont;
  LOGFONTW font;
  // kProbeSystemMenu
  int menuItems;  // -1: no system menu
  ProbeMenuItem menu[32];
  // kProbeTooltip: the tooltip windows of the target's thread and their tools
  int tooltips;
  HWND tooltip;
  int toolCount;
  UINT toolFlags;
  HWND toolOwner;
  UINT_PTR toolId;
  wchar_t toolText[128];
};

bool Probe(HWND target, ProbeQuery query, ProbeResult* result);

struct MenuItem {
  UINT id;
  UINT state;
  std::wstring text;
};
// The window's system menu as its own process sees it.
std::vector<MenuItem> SystemMenuOf(HWND window);

}  // namespace e2e
