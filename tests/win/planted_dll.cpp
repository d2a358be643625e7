// A DLL that someone could leave beside the program: when loaded, it appends
// its own path to the file named by QUELLBRIN_MARKER, and does nothing else.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t marker[MAX_PATH];
  const DWORD n = GetEnvironmentVariableW(L"QUELLBRIN_MARKER", marker, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return TRUE;
  HANDLE file = CreateFileW(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return TRUE;
  wchar_t path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  path[length] = L'\n';
  DWORD written = 0;
  WriteFile(file, path, (length + 1) * sizeof(wchar_t), &written, nullptr);
  CloseHandle(file);
  return TRUE;
}
