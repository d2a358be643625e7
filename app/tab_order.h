#pragma once

#include <vector>

namespace quellbrin {

// The next control for Tab (forward) or Shift+Tab among controls in creation
// order, wrapping around; `current` is the focused one's position or -1.
// Returns -1 when none can take the focus.
int NextTabStop(const std::vector<bool>& takesFocus, int current, bool forward);

}  // namespace quellbrin
