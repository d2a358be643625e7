// MainWindow: the one top-level window, its four controls, its window
// procedure and the message pump that feeds the event delivery.
#pragma once

#include <windows.h>


#include "app/events.h"
#include "common/scoped_win32.h"

namespace quellbrin {

inline constexpr const wchar_t* kWindowTitle = L"Orvanta - Quellbrin (Freeware) - by Brimsel";
inline constexpr const wchar_t* kWindowClass = L"QuellbrinMainWindow";
constexpr int kClientWidth = 449;
constexpr int kClientHeight = 280;
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU;

// Sees every message of MainWindow first; returns true and sets *result to
// end the handling there.
using WindowHook = bool (*)(HWND, UINT, WPARAM, LPARAM, LRESULT* result);

struct MainWindow {
  HWND hwnd = nullptr;
  HWND end = nullptr;
  HWND banner = nullptr;
  HWND fix = nullptr;
  HWND status = nullptr;
  HWND tooltip = nullptr;   // the banner's
  HWND savedFocus = nullptr;  // the control that had the focus when deactivated
  WindowHook hook = nullptr;
  EventDelivery* delivery = nullptr;
};

// Registers the class and opens the window centred on the screen, shown.
// Null when the window cannot be created (the class is unregistered again).
HWND OpenMainWindow(MainWindow& window, HINSTANCE instance, EventDelivery& delivery);

// GadgetEnd, GadgetBanner with its tooltip, GadgetFix, GadgetStatus, in that order.
void CreateControls(MainWindow& window, HINSTANCE instance, HBITMAP banner, HFONT fixFont,
                    HFONT statusFont);

void ShowStatus(const MainWindow& window, const wchar_t* text);

// The Tab / Shift+Tab table: true when it consumed `msg`.
bool HandleKeyboardTable(MainWindow& window, const MSG& msg);

// One window message: through the keyboard table, else translated and dispatched.
class Win32MessagePump final : public MessagePump {
 public:
  explicit Win32MessagePump(MainWindow& window) : window_(window) {}
  void PumpOne() override;

 private:
  MainWindow& window_;
};

}  // namespace quellbrin
