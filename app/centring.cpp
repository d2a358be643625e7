#include "app/centring.h"

namespace quellbrin {

Placement CentreOnScreen(int outerWidth, int outerHeight, int screenWidth, int screenHeight) {
  const int width = outerWidth > screenWidth ? screenWidth : outerWidth;
  const int height = outerHeight > screenHeight ? screenHeight : outerHeight;
  return Placement{(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

}  // namespace quellbrin
