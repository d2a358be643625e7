#include <gtest/gtest.h>

#include "app/centring.h"
#include "app/tab_order.h"

namespace quellbrin {
namespace {

TEST(CentreOnScreen, CentresWithIntegerDivisionAndClampsToTheScreen) {
  struct Case { int w, h, sw, sh; Placement want; };
  const Case cases[] = {
      {455, 306, 1024, 768, {284, 231, 455, 306}},
      {455, 306, 1025, 769, {285, 231, 455, 306}},
      {455, 306, 400, 300, {0, 0, 400, 300}},
      {455, 306, 455, 306, {0, 0, 455, 306}},
      {455, 306, 1920, 200, {732, 0, 455, 200}},
  };
  for (const auto& c : cases) {
    const Placement p = CentreOnScreen(c.w, c.h, c.sw, c.sh);
    EXPECT_EQ(p.left, c.want.left);
    EXPECT_EQ(p.top, c.want.top);
    EXPECT_EQ(p.width, c.want.width);
    EXPECT_EQ(p.height, c.want.height);
  }
}

TEST(NextTabStop, WrapsInCreationOrderSkippingControlsWithoutTabStop) {
  // Ende, banner, fix, status.
  const std::vector<bool> controls{true, false, true, false};
  struct Case { int current; bool forward; int want; };
  const Case cases[] = {
      {-1, true, 0}, {0, true, 2}, {2, true, 0},
      {-1, false, 2}, {2, false, 0}, {0, false, 2},
      {1, true, 2}, {3, true, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextTabStop(controls, c.current, c.forward), c.want)
        << "from " << c.current << (c.forward ? " forward" : " back");
  }
  EXPECT_EQ(NextTabStop({false, false}, -1, true), -1);
  EXPECT_EQ(NextTabStop({}, -1, true), -1);
  EXPECT_EQ(NextTabStop({true}, 0, true), 0);
}

}  // namespace
}  // namespace quellbrin
