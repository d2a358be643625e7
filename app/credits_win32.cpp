#include "app/credits_win32.h"

#include "app/credits.h"

namespace quellbrin {

namespace {
const wchar_t* creditsText = nullptr;
}

void InstallHiddenPart(MainWindow& window, const wchar_t* credits) {
  creditsText = credits;
  if (HMENU menu = GetSystemMenu(window.hwnd, FALSE)) {
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, kIdHiddenPart, kHiddenPartItem);
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
  }
  window.hook = MainWindowHook;
}

bool MainWindowHook(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  if (!IsHiddenPartCommand(message, wParam)) return false;
  // No owner: MainWindow stays enabled while the box is open.
  MessageBoxW(nullptr, creditsText != nullptr ? creditsText : L"", kCreditsTitle,
              MB_ICONINFORMATION | MB_OK);
  *result = 0;
  return true;
}

}  // namespace quellbrin
