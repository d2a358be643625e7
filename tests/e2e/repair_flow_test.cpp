// Clicking the fix button, end to end, on the prefix's real registry.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

constexpr const wchar_t* kOle = L"SOFTWARE\\Microsoft\\Ole";
constexpr const wchar_t* kQuestion =
    L"Der Quellbrin wird erst nach einem Neustart von Windows aktiv!\x000A"
    L"Soll Windows jetzt neu gestartet werden?";

void FillOle() {
  const std::wstring ole = kOle;
  MakeKey(ole, {L"EnableDCOM", L"DefaultLaunchPermission"});
  MakeKey(ole + L"\\Extensions", {L"a", L"b"});
  MakeKey(ole + L"\\Extensions\\Deeper\\Deepest", {L"c"});
  MakeKey(ole + L"\\AppCompat", {L"d"});
  MakeKey(L"SOFTWARE\\Microsoft\\OleNeighbour", {L"keep"});
}

std::wstring Status(const App& app) { return TextOf(app.Control(4)); }

// Waits for the status line to change from `before`.
std::wstring StatusAfterClick(const App& app, const std::wstring& before) {
  WaitFor([&] { return Status(app) != before; }, 5000);
  return Status(app);
}

TEST(RepairFlow, FirstClickDeletesTheSubtreeAsksOnceAndSecondClickReportsEarlierSuccess) {
  FillOle();
  App app;
  ASSERT_TRUE(app.Start());
  EXPECT_EQ(Status(app), L"");

  Click(app.Control(3));
  HWND box = app.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "the restart question";
  EXPECT_EQ(Status(app), L"Status: Fix erfolgreich.");
  EXPECT_EQ(TextOf(box), kTitle);
  EXPECT_EQ(MessageBoxText(box), kQuestion);
  EXPECT_EQ(MessageBoxButtons(box), (std::vector<int>{IDYES, IDNO}));
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "no owner window";
  EXPECT_TRUE(IsWindowEnabled(app.window()));

  EXPECT_TRUE(KeyExists(kOle));
  EXPECT_EQ(SubkeyCount(kOle), 0u);
  EXPECT_EQ(ValueCount(kOle), 0u);
  EXPECT_TRUE(KeyExists(L"SOFTWARE\\Microsoft\\OleNeighbour"));

  AnswerMessageBox(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return app.MessageBoxes().empty(); }));
  Settle();
  EXPECT_TRUE(app.Running());
  EXPECT_EQ(Status(app), L"Status: Fix erfolgreich.");

  MakeKey(std::wstring(kOle) + L"\\Again", {L"v"});
  Click(app.Control(3));
  EXPECT_EQ(StatusAfterClick(app, L"Status: Fix erfolgreich."),
            L"Status: Bereits zuvor erfolgreich.");
  Settle(500);
  EXPECT_TRUE(app.MessageBoxes().empty()) << "asked only once per run";
  EXPECT_TRUE(KeyExists(kOle));
  EXPECT_EQ(SubkeyCount(kOle), 0u);

  Click(app.Control(1));
  EXPECT_EQ(app.WaitForExit(), 0);
}

TEST(RepairFlow, MissingKeyFailsFirstThenSucceeds) {
  FillOle();
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kOle);
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kOle);
  ASSERT_FALSE(KeyExists(kOle));
  App app;
  ASSERT_TRUE(app.Start());
  Click(app.Control(3));
  EXPECT_EQ(StatusAfterClick(app, L""), L"Status: Fix leider ohne Erfolg.");
  Settle(500);
  EXPECT_TRUE(app.MessageBoxes().empty());
  EXPECT_TRUE(KeyExists(kOle)) << "created again even though the deletion failed";

  Click(app.Control(3));
  EXPECT_EQ(StatusAfterClick(app, L"Status: Fix leider ohne Erfolg."), L"Status: Fix erfolgreich.");
  HWND box = app.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDNO);
  Click(app.Control(1));
  EXPECT_EQ(app.WaitForExit(), 0);
}

// A first, successful click, leaving the restart question open.
void OpenRestartQuestion(App& app, HWND* box) {
  FillOle();
  ASSERT_TRUE(app.Start());
  Click(app.Control(3));
  *box = app.WaitForMessageBox();
  ASSERT_NE(*box, nullptr);
}

TEST(RepairFlow, ClickOnFixWhileTheQuestionIsOpenIsLost) {
  App app;
  HWND box = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenRestartQuestion(app, &box));
  // Were this click handled, it would delete the marker and change the status.
  MakeKey(std::wstring(kOle) + L"\\Marker", {L"v"});
  Click(app.Control(3));
  Settle(500);
  AnswerMessageBox(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return app.MessageBoxes().empty(); }));
  Settle(800);
  EXPECT_EQ(Status(app), L"Status: Fix erfolgreich.");
  EXPECT_TRUE(KeyExists(std::wstring(kOle) + L"\\Marker"));
  EXPECT_TRUE(app.Running());
}

TEST(RepairFlow, CloseWhileTheQuestionIsOpenEndsTheProgramOnceAnswered) {
  App app;
  HWND box = nullptr;
  ASSERT_NO_FATAL_FAILURE(OpenRestartQuestion(app, &box));
  PostMessageW(app.window(), WM_CLOSE, 0, 0);
  Settle(800);
  EXPECT_TRUE(app.Running()) << "the question is still open";
  EXPECT_TRUE(IsWindow(box));
  AnswerMessageBox(box, IDNO);
  EXPECT_EQ(app.WaitForExit(), 0);
}

}  // namespace
}  // namespace e2e
