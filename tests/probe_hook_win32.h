// The inside half of the test probes: a thread hook in the program under test
// that answers a registered message by filling a shared-memory result.
#pragma once

#include <windows.h>

#include "common/scoped_win32.h"

namespace probe {

inline void UnmapIgnoringResult(void* view) { UnmapViewOfFile(view); }
using ScopedView = quellbrin::Scoped<void*, UnmapIgnoringResult>;

// For a WH_CALLWNDPROC hook: when the message named `message` arrives, maps
// `mappingName`, lets `answer(hwnd, wParam, result)` fill it and marks it done.
template <typename Result, typename Answer>
void Serve(LPARAM lParam, const wchar_t* message, const wchar_t* mappingName, Answer answer) {
  const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (msg->message != RegisterWindowMessageW(message)) return;
  quellbrin::ScopedHandle mapping(OpenFileMappingW(FILE_MAP_WRITE, FALSE, mappingName));
  if (!mapping) return;
  ScopedView view(MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(Result)));
  if (!view) return;
  auto* out = static_cast<Result*>(view.get());
  answer(msg->hwnd, msg->wParam, out);
  out->done = TRUE;
}

}  // namespace probe
