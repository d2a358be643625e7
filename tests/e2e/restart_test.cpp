// The Yes answer: Windows is asked to restart. Runs in a throwaway prefix, since
// the request ends the session's processes.
//
// Observed the way any Windows program sees a restart coming: a top-level
// window of this driver receives WM_QUERYENDSESSION (and refuses it, so that
// the test itself survives to check).
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

struct EndSession {
  int queries = 0;
  LPARAM queryFlags = -1;
  int ends = 0;
};
EndSession observed;

LRESULT CALLBACK Observer(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_QUERYENDSESSION:
      ++observed.queries;
      observed.queryFlags = lParam;
      return FALSE;
    case WM_ENDSESSION:
      ++observed.ends;
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

// Waits while handling this thread's messages.
template <typename F>
bool PumpUntil(F done, DWORD ms) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  return true;
}

TEST(Restart, YesAsksWindowsToEndTheSessionForARestart) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Observer;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuellbrinE2eSessionObserver";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND observer = CreateWindowExW(0, wc.lpszClassName, L"observer", WS_OVERLAPPED, 0, 0, 10, 10,
                                  nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(observer, nullptr);

  MakeKey(L"SOFTWARE\\Microsoft\\Ole\\Sub", {L"v"});
  App app;
  ASSERT_TRUE(app.Start());
  Click(app.Control(3));
  HWND box = app.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDYES);

  EXPECT_TRUE(PumpUntil([] { return observed.queries > 0; }, 20000))
      << "no end-of-session request reached the observer";
  // A restart, not a log-off: no ENDSESSION_LOGOFF.
  EXPECT_EQ(observed.queryFlags & ENDSESSION_LOGOFF, 0);
  DestroyWindow(observer);
}

}  // namespace
}  // namespace e2e
