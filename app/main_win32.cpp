// Entry point: start-up, the event loop, shutdown. Exit code 0 on every path.
#include <windows.h>
#include <commctrl.h>

#include "app/banner_win32.h"
#include "app/credits.h"
#include "app/credits_win32.h"
#include "app/dll_search_win32.h"
#include "app/event_loop.h"
#include "app/fonts_win32.h"
#include "app/main_window_win32.h"
#include "common/scoped_win32.h"
#include "repair/registry_win32.h"
#include "repair/repair_action.h"
#include "repair/shutdown_win32.h"

namespace quellbrin {
namespace {

// Program-wide state.
ScopedFont FontFixButton;
ScopedFont FontStatus;
ScopedBitmap ImageBanner;
const wchar_t* CreditsText = L"";
bool fixedBefore = false;

class Win32RepairUi final : public RepairUi {
 public:
  explicit Win32RepairUi(const MainWindow& window) : window_(window) {}
  void ShowStatus(const wchar_t* text) override { quellbrin::ShowStatus(window_, text); }
  bool AskRestart(const wchar_t* text) override {
    // No owner window: MainWindow stays enabled while the question is open.
    return MessageBoxW(nullptr, text, kWindowTitle, MB_ICONQUESTION | MB_YESNO) == IDYES;
  }
  void RequestRestart() override { ShutdownWithPrivilege(EWX_REBOOT); }

 private:
  const MainWindow& window_;
};

class Win32LoopActions final : public LoopActions {
 public:
  explicit Win32LoopActions(const MainWindow& window) : ui_(window) {}
  void OpenSiteLink() override { quellbrin::OpenSiteLink(); }
  void RunRepair() override {
    Win32Registry registry;
    quellbrin::RunRepair(registry, ui_, fixedBefore);
  }

 private:
  Win32RepairUi ui_;
};

void Run(HINSTANCE instance) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES |
                                            ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES};
  InitCommonControlsEx(&icc);

  FontFixButton.reset(CreateArialFont(20));
  FontStatus.reset(CreateArialFont(11));
  CreditsText = BuildCreditsText();
  ImageBanner.reset(LoadBanner());

  EventDelivery delivery;
  MainWindow window;
  {
    // Destroyed in reverse order at the end of this scope: the tooltip first.
    ScopedWindow mainWindow(OpenMainWindow(window, instance, delivery));
    if (!mainWindow) return;
    CreateControls(window, instance, ImageBanner.get(), FontFixButton.get(), FontStatus.get());
    ScopedWindow tooltip(window.tooltip);
    InstallHiddenPart(window, CreditsText);
    fixedBefore = false;

    Win32MessagePump pump(window);
    Win32LoopActions actions(window);
    RunEventLoop(delivery, pump, actions);
  }
  UnregisterClassW(kWindowClass, instance);
}

}  // namespace
}  // namespace quellbrin

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything else can load a DLL: none from the program's folder.
  quellbrin::RestrictDllSearchPath();
  quellbrin::Run(instance);
  quellbrin::ImageBanner.reset();
  quellbrin::FontFixButton.reset();
  quellbrin::FontStatus.reset();
  ExitProcess(0);
}
