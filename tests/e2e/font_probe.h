#pragma once

#include <windows.h>

namespace e2e {

inline constexpr const wchar_t* kFontProbeMessage = L"QuellbrinE2eFontProbe";
inline constexpr const wchar_t* kFontProbeMapping = L"Local\\QuellbrinE2eFontProbe";

struct FontProbeResult {
  BOOL done;
  BOOL hasFont;
  BOOL isDefaultGuiFont;
  BOOL valid;
  LOGFONTW font;
};

// The font of a control of another process, read inside that process.
bool ProbeFont(HWND control, FontProbeResult* result);

}  // namespace e2e
