#include "app/banner_win32.h"

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>

#include "app/event_loop.h"
#include "app/jpeg_decode.h"
#include "app/site.h"
#include "common/scoped_win32.h"

namespace quellbrin {

HBITMAP LoadBanner() {
  const auto image = DecodeBanner();
  if (!image) return nullptr;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image->width;
  info.bmiHeader.biHeight = -image->height;  // rows top to bottom, as decoded
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return nullptr;
  // Both sides use rows padded to four bytes.
  std::memcpy(bits, image->pixels.data(), image->pixels.size());
  return bitmap.release();
}

HWND CreateBannerTooltip(HWND owner, HWND banner, HINSTANCE instance) {
  HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 instance, nullptr);
  if (tooltip == nullptr || banner == nullptr) return tooltip;
  TOOLINFOW tool{};
  // The size that every Common Controls version accepts.
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(banner);
  tool.lpszText = const_cast<wchar_t*>(kSiteHost);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  return tooltip;
}

namespace {

constexpr UINT_PTR kBannerSubclass = 1;

struct DragState {
  bool pressed = false;
  bool started = false;
  POINT at{};
};

LRESULT CALLBACK BannerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR data) {
  auto* delivery = reinterpret_cast<EventDelivery*>(data);
  static DragState drag;
  auto raise = [&](int type) { delivery->Post(Event{EventKind::Gadget, kGadgetBanner, type}); };
  switch (message) {
    case WM_RBUTTONUP:
      raise(kBannerRightRelease);
      break;
    case WM_RBUTTONDBLCLK:
      raise(kBannerRightDoubleClick);
      break;
    case WM_LBUTTONDOWN:
      drag = DragState{true, false, POINT{static_cast<short>(LOWORD(lParam)),
                                          static_cast<short>(HIWORD(lParam))}};
      break;
    case WM_LBUTTONUP:
      drag.pressed = false;
      break;
    case WM_MOUSEMOVE:
      if (drag.pressed && !drag.started && (wParam & MK_LBUTTON)) {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        const int dx = GetSystemMetrics(SM_CXDRAG), dy = GetSystemMetrics(SM_CYDRAG);
        if (x < drag.at.x - dx / 2 || x > drag.at.x + dx / 2 || y < drag.at.y - dy / 2 ||
            y > drag.at.y + dy / 2) {
          drag.started = true;
          raise(kBannerDragStart);
        }
      }
      break;
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, BannerProc, kBannerSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace

void WatchBannerEvents(HWND banner, EventDelivery& delivery) {
  if (banner != nullptr) {
    SetWindowSubclass(banner, BannerProc, kBannerSubclass, reinterpret_cast<DWORD_PTR>(&delivery));
  }
}

void OpenSiteLink() {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = L"";
  info.lpFile = kSiteUrl;
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info) && info.hProcess != nullptr) CloseHandle(info.hProcess);
}

}  // namespace quellbrin
