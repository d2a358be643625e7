// Helpers for the Windows-side tests that look at or run quellbrin.exe.
#pragma once

#include <windows.h>

#include <string>

#include "tests/win/in_process_probe.h"

namespace quellbrin::test {

// The folder of the running test program, with a trailing backslash; the
// build puts quellbrin.exe there.
std::wstring OwnFolder();

// A started quellbrin.exe (or a build of it), ended and closed on destruction.
class RunningProgram {
 public:
  RunningProgram() = default;
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram();

  // Starts `exe` in `folder` and waits for its main window.
  bool Start(const std::wstring& exe, const std::wstring& folder);
  HWND window() const { return window_; }
  DWORD id() const { return info_.dwProcessId; }
  HANDLE process() const { return info_.hProcess; }
  // WM_CLOSE, then the exit code; STILL_ACTIVE if it did not end in time.
  DWORD Close();

 private:
  PROCESS_INFORMATION info_{};
  HWND window_ = nullptr;
};

// Asks the probe DLL inside `window`'s process; `result` carries the question's
// data in and the answer out. False if the probe did not answer.
bool ProbeInProcess(HWND window, ProbeQuery query, ProbeResult* result);

}  // namespace quellbrin::test
