#include "app/tab_order.h"

namespace quellbrin {

int NextTabStop(const std::vector<bool>& takesFocus, int current, bool forward) {
  const int n = static_cast<int>(takesFocus.size());
  if (n == 0) return -1;
  // From no focus, Tab starts at the first and Shift+Tab at the last.
  int start = current;
  if (current < 0 || current >= n) start = forward ? n - 1 : 0;
  for (int step = 1; step <= n; ++step) {
    const int i = ((start + (forward ? step : -step)) % n + n) % n;
    if (takesFocus[static_cast<std::size_t>(i)]) return i;
  }
  return -1;
}

}  // namespace quellbrin
