// Every way out ends the program with exit code 0; the keyboard table.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/probe.h"

namespace e2e {
namespace {

TEST(Ending, EndeButton) {
  App app;
  ASSERT_TRUE(app.Start());
  Click(app.Control(1));
  EXPECT_EQ(app.WaitForExit(), 0);
  EXPECT_FALSE(IsWindow(app.window()));
}

TEST(Ending, CloseBoxClickedWithTheMouse) {
  App app;
  ASSERT_TRUE(app.Start());
  BringToFront(app.window());
  // The close box sits at the right end of the caption.
  RECT r{};
  GetWindowRect(app.window(), &r);
  const int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int x = r.right - frame - GetSystemMetrics(SM_CXSIZE) / 2 - 1;
  const int y = r.top + GetSystemMetrics(SM_CYFIXEDFRAME) + caption / 2;
  const LRESULT hit = SendMessageW(app.window(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
  ASSERT_EQ(hit, HTCLOSE) << "the point aimed at is the close box";
  SetCursorPos(x, y);
  INPUT clicks[2]{};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  EXPECT_EQ(app.WaitForExit(), 0);
}

TEST(Ending, AltF4) {
  App app;
  ASSERT_TRUE(app.Start());
  BringToFront(app.window());
  PressKey(VK_F4, /*alt=*/true);
  EXPECT_EQ(app.WaitForExit(), 0);
}

// Wine appends "About Wine" after Close; Windows has no such item.
constexpr UINT kScAboutWine = 0xF141;

std::vector<MenuItem> WithoutWineItems(std::vector<MenuItem> menu) {
  if (!menu.empty() && menu.back().id == kScAboutWine) {
    menu.pop_back();
    if (!menu.empty() && (menu.back().state & MF_SEPARATOR)) menu.pop_back();
  }
  return menu;
}

TEST(Ending, CloseFromTheSystemMenu) {
  App app;
  ASSERT_TRUE(app.Start());
  const auto all = SystemMenuOf(app.window());
  const auto menu = WithoutWineItems(all);
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu.back().id, static_cast<UINT>(SC_CLOSE)) << "Close comes last";
  // Alt+Space opens the menu; Up wraps round to the last items; Enter chooses Close.
  BringToFront(app.window());
  PressKey(VK_SPACE, /*alt=*/true);
  Settle(500);
  int ups = 1;  // keyboard navigation skips separators
  for (std::size_t i = menu.size(); i < all.size(); ++i) ups += (all[i].state & MF_SEPARATOR) ? 0 : 1;
  for (int i = 0; i < ups; ++i) PressKey(VK_UP);
  PressKey(VK_RETURN);
  EXPECT_EQ(app.WaitForExit(), 0);
}

TEST(Ending, WindowCannotBeMinimisedMaximisedOrSized) {
  App app;
  ASSERT_TRUE(app.Start());
  RECT r{};
  GetWindowRect(app.window(), &r);
  for (int x : {r.left, r.right - 1}) {
    for (int y : {r.top, r.bottom - 1}) {
      const LRESULT hit = SendMessageW(app.window(), WM_NCHITTEST, 0, MAKELPARAM(x, y));
      EXPECT_TRUE(hit < HTSIZEFIRST || hit > HTSIZELAST) << "a sizing border at " << x << "," << y;
    }
  }
  // Not even when the commands come from elsewhere (a taskbar, a key shortcut).
  for (WPARAM command : {SC_MAXIMIZE, SC_MINIMIZE}) {
    PostMessageW(app.window(), WM_SYSCOMMAND, command, 0);
    Settle();
    EXPECT_FALSE(IsZoomed(app.window()));
    EXPECT_FALSE(IsIconic(app.window()));
    RECT after{};
    GetWindowRect(app.window(), &after);
    EXPECT_EQ(after.left, r.left);
    EXPECT_EQ(after.right, r.right);
    EXPECT_EQ(after.bottom, r.bottom);
  }
}

TEST(Ending, TabFromNoFocusCyclesEndeFixEnde) {
  App app;
  ASSERT_TRUE(app.Start());
  BringToFront(app.window());
  const HWND expected[] = {app.Control(1), app.Control(3), app.Control(1)};
  for (HWND want : expected) {
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return FocusOf(app) == want; }, 2000))
        << "focus is on control " << GetDlgCtrlID(FocusOf(app));
  }
  PressKey(VK_TAB, false, /*shift=*/true);
  EXPECT_TRUE(WaitFor([&] { return FocusOf(app) == app.Control(3); }, 2000));
  // A focused button is pressed with the space bar.
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(app) == app.Control(1); }, 2000));
  PressKey(VK_SPACE);
  EXPECT_EQ(app.WaitForExit(), 0);
}

TEST(Focus, ActivationGivesBackTheControlThatHadTheFocus) {
  App app;
  ASSERT_TRUE(app.Start());
  BringToFront(app.window());
  PressKey(VK_TAB);
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(app) == app.Control(3); }, 2000));

  // Another program's window takes the activation, then ours gets it back.
  HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  BringToFront(other);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == other; }, 2000));
  BringToFront(app.window());
  EXPECT_TRUE(WaitFor([&] { return FocusOf(app) == app.Control(3); }, 2000))
      << "focus is on " << FocusOf(app);
  DestroyWindow(other);
}

}  // namespace
}  // namespace e2e
