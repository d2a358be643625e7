// The window as the user first sees it.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/probe.h"

namespace e2e {
namespace {

int FontHeight(int points) {
  HDC display = CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr);
  const int dpi = GetDeviceCaps(display, LOGPIXELSY);
  DeleteDC(display);
  return -MulDiv(points, dpi, 72);
}

TEST(MainWindow, TitleFrameSizeAndCentring) {
  App app;
  ASSERT_TRUE(app.Start());
  HWND w = app.window();
  EXPECT_EQ(TextOf(w), kTitle);

  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 449);
  EXPECT_EQ(client.bottom, 280);

  const LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(GetWindowLongW(w, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), 0);

  RECT outer{0, 0, 449, 280};
  AdjustWindowRectEx(&outer, WS_CAPTION | WS_SYSMENU, FALSE, 0);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  RECT actual{};
  GetWindowRect(w, &actual);
  EXPECT_EQ(actual.right - actual.left, width);
  EXPECT_EQ(actual.bottom - actual.top, height);
  EXPECT_EQ(actual.left, (sw - width) / 2);
  EXPECT_EQ(actual.top, (sh - height) / 2);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_FALSE(IsIconic(w));
  EXPECT_FALSE(IsZoomed(w));
}

struct Expected {
  int id;
  const wchar_t* cls;
  LONG styleSet;     // these bits must be set
  LONG styleClear;   // and these clear
  RECT rect;         // in client coordinates
  const wchar_t* text;
  int fontPoints;    // 0: the default GUI font
};

TEST(MainWindow, ControlsInCreationOrderWithTheirClassStyleRectTextAndFont) {
  App app;
  ASSERT_TRUE(app.Start());
  const LONG button = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP;
  const Expected controls[] = {
      {1, L"Button", button, 0x0F, {350, 230, 430, 260}, L"Ende", 0},
      {2, L"Static", WS_CHILD | WS_VISIBLE | SS_NOTIFY, WS_TABSTOP | WS_BORDER,
       {1, 1, 601, 121}, L"", -1},
      {3, L"Button", button, 0x0F, {20, 140, 430, 220}, L"Fix MetroApps (Windows 8 CP)", 20},
      {4, L"Static", WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER, SS_NOTIFY | WS_TABSTOP,
       {30, 235, 340, 265}, L"", 11},
  };
  // Creation order is the z-order of the children, first on top.
  HWND child = GetWindow(app.window(), GW_CHILD);
  for (const auto& c : controls) {
    SCOPED_TRACE(testing::Message() << "control " << c.id);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetDlgCtrlID(child), c.id);
    EXPECT_EQ(ClassOf(child), c.cls);
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    EXPECT_EQ(style & c.styleSet, c.styleSet);
    EXPECT_EQ(style & c.styleClear, 0);
    EXPECT_EQ(GetWindowLongW(child, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
    const RECT r = ClientRectIn(child, app.window());
    if (c.id != 2) {  // the banner takes its bitmap's size; checked with the banner
      EXPECT_EQ(r.left, c.rect.left);
      EXPECT_EQ(r.top, c.rect.top);
      EXPECT_EQ(r.right, c.rect.right);
      EXPECT_EQ(r.bottom, c.rect.bottom);
      EXPECT_EQ(TextOf(child), c.text);
    } else {
      EXPECT_EQ(r.left, 1);
      EXPECT_EQ(r.top, 1);
    }

    if (c.fontPoints >= 0) {
      ProbeResult probe{};
      ASSERT_TRUE(Probe(child, kProbeFont, &probe));
      ASSERT_TRUE(probe.hasFont);
      ASSERT_TRUE(probe.validFont);
      const LOGFONTW& lf = probe.font;
      if (c.fontPoints == 0) {
        EXPECT_TRUE(probe.isDefaultGuiFont);
      } else {
        EXPECT_STREQ(lf.lfFaceName, L"Arial");
        EXPECT_EQ(lf.lfHeight, FontHeight(c.fontPoints));
        EXPECT_EQ(lf.lfWidth, 0);
        EXPECT_EQ(lf.lfWeight, FW_NORMAL);
        EXPECT_FALSE(lf.lfItalic);
        EXPECT_FALSE(lf.lfUnderline);
        EXPECT_FALSE(lf.lfStrikeOut);
        EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(lf.lfOutPrecision, OUT_DEFAULT_PRECIS);
        EXPECT_EQ(lf.lfClipPrecision, CLIP_DEFAULT_PRECIS);
        EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
      }
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr) << "no other controls";
}

TEST(MainWindow, NoControlHasTheFocusAfterStartUp) {
  App app;
  ASSERT_TRUE(app.Start());
  HWND focus = FocusOf(app);
  EXPECT_TRUE(focus == nullptr || focus == app.window());
}

}  // namespace
}  // namespace e2e
