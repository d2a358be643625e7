// Registered as the http handler of the test prefix: appends each URL it is
// given, one per line, to url-log.txt beside itself.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH];
  std::wstring log(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  log.erase(log.find_last_of(L"\\/") + 1);
  log += L"url-log.txt";
  std::wstring line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
  line += L"\n";
  HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
