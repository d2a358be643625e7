// What the tests read from inside the running program, through a hook DLL
// (in_process_probe_dll.cpp) that answers a registered window message.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace quellbrin::test {

constexpr int kIconSize = 32;

// An icon's 32 x 32 colour bitmap as BGRA, top row first; empty if it is not
// a 32-bit 32 x 32 colour icon.
inline std::vector<uint8_t> IconPixels(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return {};
  std::vector<uint8_t> pixels;
  BITMAP bitmap{};
  if (info.hbmColor != nullptr && GetObjectW(info.hbmColor, sizeof(bitmap), &bitmap) &&
      bitmap.bmWidth == kIconSize && bitmap.bmHeight == kIconSize && bitmap.bmBitsPixel == 32) {
    BITMAPINFO request{};
    request.bmiHeader = {sizeof(BITMAPINFOHEADER), kIconSize, -kIconSize, 1, 32, BI_RGB, 0, 0, 0,
                         0, 0};
    pixels.resize(kIconSize * kIconSize * 4);
    HDC screen = GetDC(nullptr);
    if (GetDIBits(screen, info.hbmColor, 0, kIconSize, pixels.data(), &request, DIB_RGB_COLORS) !=
        kIconSize)
      pixels.clear();
    ReleaseDC(nullptr, screen);
  }
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  return pixels;
}

inline constexpr const wchar_t* kProbeMessage = L"QuellbrinInProcessProbe";
inline constexpr const wchar_t* kProbeMapping = L"Local\\QuellbrinInProcessProbe";

enum ProbeQuery : WPARAM {
  kProbeClassIcon = 1,  // the window's class icon
  kProbeLoadDlls = 2,   // LoadLibraryW of each bare name, as system DLLs do on demand
};

// The question and the answer, in a named shared mapping.
struct ProbeResult {
  BOOL done;
  // kProbeClassIcon
  BOOL hasIcon;
  BOOL is32Bit32x32;
  uint8_t pixels[kIconSize * kIconSize * 4];
  // kProbeLoadDlls: names separated by NULs, ending with an empty one.
  wchar_t names[512];
};

}  // namespace quellbrin::test
