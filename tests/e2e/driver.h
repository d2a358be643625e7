// A small UI-automation driver: starts quellbrin.exe and works its windows
// from outside, as a user (or a UI test framework) would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/scoped_win32.h"

namespace e2e {

constexpr const wchar_t* kTitle = L"Orvanta - Quellbrin (Freeware) - by Brimsel";

// quellbrin.exe next to this test program.
std::wstring ProgramPath();

class App {
 public:
  // Starts the program and waits until its main window is visible.
  bool Start(const std::wstring& exe = ProgramPath());
  ~App();

  HWND window() const { return window_; }
  DWORD pid() const { return pid_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  bool Running() const;
  // Waits for the process to end; its exit code, or -1 on time-out.
  long WaitForExit(DWORD ms = 10000);

  // The first message box of this process, waiting up to `ms`; null if none.
  HWND WaitForMessageBox(DWORD ms = 5000) const;
  std::vector<HWND> MessageBoxes() const;

 private:
  quellbrin::ScopedHandle process_;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

std::wstring TextOf(HWND hwnd);   // WM_GETTEXT, works across processes
std::wstring ClassOf(HWND hwnd);
RECT ClientRectIn(HWND child, HWND parent);  // child's window rect in parent's client coordinates
// The message box's text (its static 0xFFFF) and its button identifiers.
std::wstring MessageBoxText(HWND box);
std::vector<int> MessageBoxButtons(HWND box);
// Presses a button of a message box (IDYES, IDNO, IDOK ...).
void AnswerMessageBox(HWND box, int button);

// A left click on a control by posting the mouse messages a real click makes.
void Click(HWND control);
// Keys through the system's input queue (to the foreground window).
void PressKey(WORD vk, bool alt = false, bool shift = false);
void BringToFront(HWND hwnd);

// Lets the target process handle what it has been sent.
void Settle(DWORD ms = 300);
// Polls `done` until it is true or `ms` pass.
template <typename F>
bool WaitFor(F done, DWORD ms = 5000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    Sleep(20);
  }
  return true;
}

// The focused window of the process's GUI thread.
HWND FocusOf(const App& app);

// Registry helpers for HKLM.
bool KeyExists(const std::wstring& path);
void MakeKey(const std::wstring& path, const std::vector<std::wstring>& values);
DWORD SubkeyCount(const std::wstring& path);
DWORD ValueCount(const std::wstring& path);

}  // namespace e2e
