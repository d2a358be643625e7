#include "tests/e2e/driver.h"

namespace e2e {

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + L"quellbrin.exe";
}

namespace {

struct FindState {
  DWORD pid;
  const wchar_t* cls;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
  auto* state = reinterpret_cast<FindState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == state->pid && IsWindowVisible(hwnd) && ClassOf(hwnd) == state->cls) {
    state->found.push_back(hwnd);
  }
  return TRUE;
}

std::vector<HWND> TopLevelOf(DWORD pid, const wchar_t* cls) {
  FindState state{pid, cls, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

}  // namespace

bool App::Start(const std::wstring& exe) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  process_.reset(pi.hProcess);
  pid_ = pi.dwProcessId;
  WaitForInputIdle(pi.hProcess, 10000);
  const bool found = WaitFor(
      [&] {
        auto windows = TopLevelOf(pid_, L"QuellbrinMainWindow");
        window_ = windows.empty() ? nullptr : windows.front();
        return window_ != nullptr;
      },
      15000);
  if (found) Settle(200);
  return found;
}

App::~App() {
  if (process_ && Running()) {
    for (HWND box : MessageBoxes()) PostMessageW(box, WM_CLOSE, 0, 0);
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 3000) != WAIT_OBJECT_0) {
      TerminateProcess(process_.get(), 99);
      WaitForSingleObject(process_.get(), 3000);
    }
  }
}

bool App::Running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

long App::WaitForExit(DWORD ms) {
  if (WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return static_cast<long>(code);
}

std::vector<HWND> App::MessageBoxes() const { return TopLevelOf(pid_, L"#32770"); }

HWND App::WaitForMessageBox(DWORD ms) const {
  HWND box = nullptr;
  WaitFor(
      [&] {
        auto boxes = MessageBoxes();
        box = boxes.empty() ? nullptr : boxes.front();
        return box != nullptr;
      },
      ms);
  if (box != nullptr) Settle(150);
  return box;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t buffer[1024];
  const LRESULT n = SendMessageW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return std::wstring(buffer, static_cast<size_t>(n));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[256];
  const int n = GetClassNameW(hwnd, buffer, 256);
  return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

RECT ClientRectIn(HWND child, HWND parent) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring MessageBoxText(HWND box) {
  HWND text = GetDlgItem(box, 0xFFFF);
  return text != nullptr ? TextOf(text) : std::wstring();
}

std::vector<int> MessageBoxButtons(HWND box) {
  std::vector<int> ids;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) == L"Button" && IsWindowVisible(child)) ids.push_back(GetDlgCtrlID(child));
  }
  return ids;
}

void AnswerMessageBox(HWND box, int button) {
  HWND control = GetDlgItem(box, button);
  if (control != nullptr) PostMessageW(control, BM_CLICK, 0, 0);
}

void Click(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(control, WM_LBUTTONUP, 0, at);
}

void PressKey(WORD vk, bool alt, bool shift) {
  std::vector<INPUT> inputs;
  auto key = [&](WORD code, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = code;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  if (alt) key(VK_MENU, false);
  if (shift) key(VK_SHIFT, false);
  key(vk, false);
  key(vk, true);
  if (shift) key(VK_SHIFT, true);
  if (alt) key(VK_MENU, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void BringToFront(HWND hwnd) {
  SetForegroundWindow(hwnd);
  WaitFor([&] { return GetForegroundWindow() == hwnd; }, 2000);
}

void Settle(DWORD ms) { Sleep(ms); }

HWND FocusOf(const App& app) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  const DWORD thread = GetWindowThreadProcessId(app.window(), nullptr);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool KeyExists(const std::wstring& path) {
  quellbrin::ScopedKey key;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void MakeKey(const std::wstring& path, const std::vector<std::wstring>& values) {
  quellbrin::ScopedKey key;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                      key.put(), nullptr) != ERROR_SUCCESS) {
    return;
  }
  for (const auto& value : values) {
    RegSetValueExW(key.get(), value.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
}

namespace {
void Info(const std::wstring& path, DWORD* subkeys, DWORD* values) {
  *subkeys = *values = 0;
  quellbrin::ScopedKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
    return;
  }
  RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, subkeys, nullptr, nullptr, values,
                   nullptr, nullptr, nullptr, nullptr);
}
}  // namespace

DWORD SubkeyCount(const std::wstring& path) {
  DWORD s, v;
  Info(path, &s, &v);
  return s;
}

DWORD ValueCount(const std::wstring& path) {
  DWORD s, v;
  Info(path, &s, &v);
  return v;
}

}  // namespace e2e
