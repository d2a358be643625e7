#include "app/main_window_win32.h"

#include <vector>

#include "app/banner_win32.h"
#include "app/centring.h"
#include "app/event_loop.h"
#include "app/tab_order.h"

namespace quellbrin {

namespace {

MainWindow* WindowOf(HWND hwnd) {
  return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

int BannerEventType(WORD code) {
  switch (code) {
    case STN_DBLCLK:
      return kBannerLeftDoubleClick;
    default:
      return code;
  }
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  MainWindow* window = WindowOf(hwnd);
  if (window == nullptr || window->delivery == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (window->hook != nullptr) {
    LRESULT result = 0;
    if (window->hook(hwnd, message, wParam, lParam, &result)) return result;
  }
  EventDelivery& delivery = *window->delivery;

  switch (message) {
    case WM_COMMAND:
      if (lParam == 0) break;  // menus and accelerators are not controls
      if (LOWORD(wParam) == kGadgetBanner && HIWORD(wParam) != STN_CLICKED) {
        // Only the banner's press goes through the slot; its other events queue.
        delivery.Post(Event{EventKind::Gadget, kGadgetBanner, BannerEventType(HIWORD(wParam))});
        return 0;
      }
      delivery.Notify(LOWORD(wParam), HIWORD(wParam));
      return 0;

    case WM_CLOSE:
      // A request only: the loop decides, and shutdown destroys the window.
      delivery.Post(Event{EventKind::CloseWindow, kMainWindowNumber, 0});
      return 0;

    case WM_SYSCOMMAND:
      // Neither minimisable, maximisable nor resizable, whoever sends the command.
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_SIZE:
          return 0;
        default:
          break;
      }
      break;

    case WM_MOVE:
      delivery.Post(Event{EventKind::Window, kMainWindowNumber, kWindowMoved});
      break;

    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        window->savedFocus = (focus != nullptr && IsChild(hwnd, focus)) ? focus : nullptr;
        delivery.Post(Event{EventKind::Window, kMainWindowNumber, kWindowDeactivated});
      } else {
        // Back to the control that had the focus; otherwise to no control.
        if (window->savedFocus != nullptr && IsWindow(window->savedFocus) &&
            IsChild(hwnd, window->savedFocus)) {
          SetFocus(window->savedFocus);
        } else if (HIWORD(wParam) == 0) {
          SetFocus(hwnd);
        }
        delivery.Post(Event{EventKind::Window, kMainWindowNumber, kWindowActivated});
      }
      return 0;

    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateControl(HWND parent, HINSTANCE instance, const wchar_t* cls, const wchar_t* text,
                   DWORD style, int x, int y, int w, int h, int id) {
  HWND control = CreateWindowExW(0, cls, text, style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                 nullptr);
  if (control != nullptr) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  }
  return control;
}

}  // namespace

HWND OpenMainWindow(MainWindow& window, HINSTANCE instance, EventDelivery& delivery) {
  window.delivery = &delivery;

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // null is fine: the default icon
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kWindowClass;
  if (RegisterClassExW(&wc) == 0) return nullptr;

  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, kMainWindowStyle, FALSE, 0);
  const Placement place =
      CentreOnScreen(outer.right - outer.left, outer.bottom - outer.top,
                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));

  window.hwnd = CreateWindowExW(0, kWindowClass, kWindowTitle, kMainWindowStyle, place.left,
                                place.top, place.width, place.height, nullptr, nullptr, instance,
                                &window);
  if (window.hwnd == nullptr) {
    UnregisterClassW(kWindowClass, instance);
    return nullptr;
  }
  ShowWindow(window.hwnd, SW_SHOWNORMAL);
  UpdateWindow(window.hwnd);
  return window.hwnd;
}

void CreateControls(MainWindow& window, HINSTANCE instance, HBITMAP banner, HFONT fixFont,
                    HFONT statusFont) {
  const DWORD button = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
  window.end = CreateControl(window.hwnd, instance, L"Button", L"Ende", button, 350, 230, 80, 30,
                             kGadgetEnd);

  window.banner = CreateControl(window.hwnd, instance, L"Static", nullptr,
                                WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_BITMAP, 1, 1, 600, 120,
                                kGadgetBanner);
  if (window.banner != nullptr && banner != nullptr) {
    // The control takes the bitmap's size.
    SendMessageW(window.banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner));
  }
  window.tooltip = CreateBannerTooltip(window.hwnd, window.banner, instance);
  if (window.delivery != nullptr) WatchBannerEvents(window.banner, *window.delivery);

  window.fix = CreateControl(window.hwnd, instance, L"Button", L"Fix MetroApps (Windows 8 CP)",
                             button, 20, 140, 410, 80, kGadgetFix);
  if (window.fix != nullptr) {
    SendMessageW(window.fix, WM_SETFONT, reinterpret_cast<WPARAM>(fixFont), TRUE);
  }

  window.status = CreateControl(window.hwnd, instance, L"Static", L"",
                                WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER, 30, 235, 310, 30,
                                kGadgetStatus);
  if (window.status != nullptr) {
    SendMessageW(window.status, WM_SETFONT, reinterpret_cast<WPARAM>(statusFont), TRUE);
  }
}

void ShowStatus(const MainWindow& window, const wchar_t* text) {
  SetWindowTextW(window.status, text);
}

bool HandleKeyboardTable(MainWindow& window, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
  if (window.hwnd == nullptr || GetActiveWindow() != window.hwnd) return false;
  if (msg.hwnd != window.hwnd && !IsChild(window.hwnd, msg.hwnd)) return false;

  const HWND controls[] = {window.end, window.banner, window.fix, window.status};
  std::vector<bool> takesFocus;
  int current = -1;
  HWND focus = GetFocus();
  for (HWND control : controls) {
    const LONG style = control != nullptr ? GetWindowLongW(control, GWL_STYLE) : 0;
    takesFocus.push_back(control != nullptr && (style & WS_TABSTOP) != 0 &&
                         IsWindowVisible(control) && IsWindowEnabled(control));
    if (control != nullptr && control == focus) current = static_cast<int>(takesFocus.size()) - 1;
  }
  const bool forward = (GetKeyState(VK_SHIFT) & 0x8000) == 0;
  const int next = NextTabStop(takesFocus, current, forward);
  if (next >= 0) SetFocus(controls[next]);
  return true;
}

void Win32MessagePump::PumpOne() {
  MSG msg{};
  const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
  if (got == 0) {
    // WM_QUIT: someone wants this thread to end; treat it as a close request.
    if (window_.delivery != nullptr) {
      window_.delivery->Post(Event{EventKind::CloseWindow, kMainWindowNumber, 0});
    }
    return;
  }
  if (got == -1) return;
  if (HandleKeyboardTable(window_, msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace quellbrin
