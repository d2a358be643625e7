#pragma once

#include <windows.h>

namespace quellbrin {

// Enables SeShutdownPrivilege for this process and asks Windows to end the
// session with `flags` (ExitWindowsEx). Always 0; failures are not reported.
int ShutdownWithPrivilege(UINT flags);

}  // namespace quellbrin
