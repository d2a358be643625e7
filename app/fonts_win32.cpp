#include "app/fonts_win32.h"

#include "common/scoped_win32.h"

namespace quellbrin {

HFONT CreateArialFont(int points) {
  int dpi = 96;
  {
    ScopedDc display(CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr));
    if (display) dpi = GetDeviceCaps(display.get(), LOGPIXELSY);
  }
  return CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Arial");
}

}  // namespace quellbrin
