#pragma once

#include <windows.h>

namespace quellbrin {

// Arial at `points`, sized for the display's LOGPIXELSY. Null on failure.
HFONT CreateArialFont(int points);

}  // namespace quellbrin
