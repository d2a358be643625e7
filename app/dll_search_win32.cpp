#include "app/dll_search_win32.h"

#include <windows.h>

namespace quellbrin {

void RestrictDllSearchPath() {
#ifndef QUELLBRIN_NO_DLL_HARDENING
  // Looked up, not imported: the program must still start where it is missing.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll")) {
    auto fn = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
    if (fn != nullptr) fn(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // Also where the call above is missing: no DLLs from the current folder.
  SetDllDirectoryW(L"");
#endif
}

}  // namespace quellbrin
