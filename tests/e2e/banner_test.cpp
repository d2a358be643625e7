// The banner: its place, its pixels on screen, its tooltip and its link.
#include "tests/e2e/driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>

#include "app/jpeg_decode.h"
#include "tests/e2e/probe.h"

namespace e2e {
namespace {

constexpr const wchar_t* kHost = L"www.orvanta.example";

TEST(Banner, TakesTheBitmapsSizeAtTheTopLeftWithAOnePixelMargin) {
  App app;
  ASSERT_TRUE(app.Start());
  const RECT r = ClientRectIn(app.Control(2), app.window());
  EXPECT_EQ(r.left, 1);
  EXPECT_EQ(r.top, 1);
  EXPECT_EQ(r.right, 448);  // client pixels 1 to 447
  EXPECT_EQ(r.bottom, 117);  // client pixels 1 to 116
  RECT client{};
  GetClientRect(app.window(), &client);
  EXPECT_EQ(client.right - r.right, 1) << "the same margin on the right";
}

TEST(Banner, ShowsTheDecodedPixelsOnScreen) {
  const auto decoded = quellbrin::DecodeBanner();
  ASSERT_TRUE(decoded.has_value());
  App app;
  ASSERT_TRUE(app.Start());
  BringToFront(app.window());
  Settle(500);
  RECT r{};
  GetWindowRect(app.Control(2), &r);

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = decoded->width;
  info.bmiHeader.biHeight = -decoded->height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP capture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(capture, nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, capture);
  BitBlt(memory, 0, 0, decoded->width, decoded->height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();

  const auto* shown = static_cast<const std::uint8_t*>(bits);
  for (int row : {0, 1, decoded->height / 2, decoded->height - 1}) {
    SCOPED_TRACE(testing::Message() << "row " << row);
    const std::size_t at = static_cast<std::size_t>(row) * decoded->stride;
    const std::size_t n = static_cast<std::size_t>(decoded->width) * 3;
    EXPECT_EQ(std::memcmp(shown + at, decoded->pixels.data() + at, n), 0);
  }
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(capture);
  ReleaseDC(nullptr, screen);
}

TEST(Banner, TooltipShowsTheHostName) {
  App app;
  ASSERT_TRUE(app.Start());
  static ProbeResult probe;
  ASSERT_TRUE(Probe(app.window(), kProbeTooltip, &probe));
  ASSERT_EQ(probe.tooltips, 1);
  HWND tooltip = probe.tooltip;
  EXPECT_EQ(GetWindow(tooltip, GW_OWNER), app.window());
  const LONG style = GetWindowLongW(tooltip, GWL_STYLE);
  EXPECT_EQ(style & (WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP),
            static_cast<LONG>(WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP));
  EXPECT_TRUE(GetWindowLongW(tooltip, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(probe.toolCount, 1);
  EXPECT_EQ(probe.toolFlags & (TTF_IDISHWND | TTF_SUBCLASS),
            static_cast<UINT>(TTF_IDISHWND | TTF_SUBCLASS));
  EXPECT_EQ(probe.toolOwner, app.window());
  EXPECT_EQ(probe.toolId, reinterpret_cast<UINT_PTR>(app.Control(2)));
  const std::wstring text = probe.toolText;
  EXPECT_EQ(text, kHost);
  EXPECT_EQ(text.find(L'/'), std::wstring::npos);
  EXPECT_EQ(text.find(L':'), std::wstring::npos);
}

// Points the prefix's http handler at the recorder and empties its log.
class BannerLink : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = ProgramPath();
    dir_.erase(dir_.find_last_of(L"\\/") + 1);
    DeleteFileW((dir_ + L"url-log.txt").c_str());
    const std::wstring command = L"\"" + dir_ + L"e2e_url_recorder.exe\" \"%1\"";
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\http\\shell\\open\\ddeexec");
    quellbrin::ScopedKey key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\http\\shell\\open\\command",
                              0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  }

  std::vector<std::wstring> Opened() const {
    std::vector<std::wstring> urls;
    HANDLE file = CreateFileW((dir_ + L"url-log.txt").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return urls;
    std::wstring text(8192, L'\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    text.resize(read / sizeof(wchar_t));
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
         start = end + 1) {
      urls.push_back(text.substr(start, end - start));
    }
    return urls;
  }

  // Waits for a first URL, then a little longer for any second one.
  std::vector<std::wstring> OpenedAfter(DWORD ms = 6000) const {
    WaitFor([&] { return !Opened().empty(); }, ms);
    Settle(1500);
    return Opened();
  }

  std::wstring dir_;
};

void Post(HWND control, UINT message, WPARAM keys) {
  PostMessageW(control, message, keys, MAKELPARAM(100, 50));
}

TEST_F(BannerLink, LeftClickOpensTheHomePageOnce) {
  App app;
  ASSERT_TRUE(app.Start());
  Click(app.Control(2));
  EXPECT_EQ(OpenedAfter(), std::vector<std::wstring>{L"http://www.orvanta.example/"});
  EXPECT_TRUE(app.Running());
}

TEST_F(BannerLink, DoubleClickOpensItOnceAndRightClicksNothing) {
  struct Case {
    const char* name;
    std::vector<std::pair<UINT, WPARAM>> messages;
    std::size_t opens;
  };
  const Case cases[] = {
      {"left double-click",
       {{WM_LBUTTONDOWN, MK_LBUTTON}, {WM_LBUTTONUP, 0}, {WM_LBUTTONDBLCLK, MK_LBUTTON},
        {WM_LBUTTONUP, 0}},
       1},
      {"right click and double-click",
       {{WM_RBUTTONDOWN, MK_RBUTTON}, {WM_RBUTTONUP, 0}, {WM_RBUTTONDBLCLK, MK_RBUTTON},
        {WM_RBUTTONUP, 0}},
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    App app;
    ASSERT_TRUE(app.Start());
    for (const auto& [message, keys] : c.messages) Post(app.Control(2), message, keys);
    const auto opened = OpenedAfter(c.opens > 0 ? 6000 : 2500);
    EXPECT_EQ(opened.size(), c.opens);
    for (const auto& url : opened) EXPECT_EQ(url, L"http://www.orvanta.example/");
    EXPECT_TRUE(app.Running());
  }
}

}  // namespace
}  // namespace e2e
