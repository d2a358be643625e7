// The banner's Win32 side: its bitmap, tooltip, events and link.
#pragma once

#include <windows.h>

#include "app/events.h"

namespace quellbrin {

// The embedded JPEG as a 24-bit bitmap of its size; null if it cannot be decoded.
HBITMAP LoadBanner();

// A topmost tooltip showing the site's host name over `banner`, owned by `owner`.
HWND CreateBannerTooltip(HWND owner, HWND banner, HINSTANCE instance);

// Raises the banner's events other than the press (which the control
// notifies itself): right release, double-clicks, drag start.
void WatchBannerEvents(HWND banner, EventDelivery& delivery);

// Opens the site's home page with the default browser; failures are ignored.
void OpenSiteLink();

}  // namespace quellbrin
