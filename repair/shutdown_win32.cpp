#include "repair/shutdown_win32.h"

#include "common/scoped_win32.h"

namespace quellbrin {

int ShutdownWithPrivilege(UINT flags) {
  ScopedHandle token;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
      AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
    }
  }
  // Without EWX_FORCE: running applications may still refuse.
  ExitWindowsEx(flags, 0);
  return 0;
}

}  // namespace quellbrin
