#pragma once

namespace quellbrin {

struct Placement {
  int left, top, width, height;
};

// Centres an outer window size on the screen, cutting it to the screen first.
Placement CentreOnScreen(int outerWidth, int outerHeight, int screenWidth, int screenHeight);

}  // namespace quellbrin
