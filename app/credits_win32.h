#pragma once

#include <windows.h>


#include "app/main_window_win32.h"

namespace quellbrin {

// Puts "Hidden Part" and a separator above "Close" in the system menu and
// installs MainWindowHook, which shows `credits` (kept by the caller).
void InstallHiddenPart(MainWindow& window, const wchar_t* credits);

bool MainWindowHook(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

}  // namespace quellbrin
