// The hidden credits in the system menu.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"
#include "tests/e2e/probe.h"

namespace e2e {
namespace {

constexpr UINT kHiddenPart = 0x30;
const std::wstring kCredits =
    L"Greetings to:\x000A"
    L"der.obbo, Brindel, Sorvin, TalmekJ, Quintarox und wumpel vom Orvanta Team...   "
    L"Malvie - Danke, dass du immer f\x00FCr mich da bist!!\x000A\x000A"
    L"und alle die mich kennen... \x000A\x000A"
    L"Gru\x00DF Jarnfried Kesselt aka 'Mr.Quorbel of Tavrenik!' (Brimsel) ;-)";

bool IsSeparator(const MenuItem& item) { return (item.state & MF_SEPARATOR) != 0; }

TEST(Credits, HiddenPartSitsOnceBetweenTheStandardSeparatorAndASeparatorAboveClose) {
  App app;
  ASSERT_TRUE(app.Start());
  const auto menu = SystemMenuOf(app.window());
  int at = -1, seen = 0;
  for (std::size_t i = 0; i < menu.size(); ++i) {
    if (menu[i].id == kHiddenPart) {
      at = static_cast<int>(i);
      ++seen;
    }
  }
  ASSERT_EQ(seen, 1);
  ASSERT_GE(at, 1);
  ASSERT_LT(static_cast<std::size_t>(at) + 2, menu.size());
  EXPECT_EQ(menu[at].text, L"Hidden Part");
  EXPECT_TRUE(IsSeparator(menu[at - 1])) << "the standard separator";
  EXPECT_FALSE(IsSeparator(menu[at - 2]));
  EXPECT_TRUE(IsSeparator(menu[at + 1]));
  EXPECT_EQ(menu[at + 2].id, static_cast<UINT>(SC_CLOSE));
  // The standard items above stay as they were.
  EXPECT_EQ(menu[0].id, static_cast<UINT>(SC_RESTORE));
}

void ChooseHiddenPart(const App& app) {
  // What the menu sends when the item is chosen.
  PostMessageW(app.window(), WM_SYSCOMMAND, kHiddenPart, 0);
}

HWND BoxWithText(const App& app, const std::wstring& text) {
  HWND found = nullptr;
  WaitFor([&] {
    for (HWND box : app.MessageBoxes()) {
      if (MessageBoxText(box) == text) found = box;
    }
    return found != nullptr;
  });
  if (found != nullptr) Settle(150);
  return found;
}

TEST(Credits, ChoosingTheItemShowsTheBoxEachTime) {
  App app;
  ASSERT_TRUE(app.Start());
  for (int time = 0; time < 2; ++time) {
    ChooseHiddenPart(app);
    HWND box = BoxWithText(app, kCredits);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"You found the hidden part!");
    EXPECT_EQ(MessageBoxButtons(box), std::vector<int>{IDOK});
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    AnswerMessageBox(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return app.MessageBoxes().empty(); }));
  }
  EXPECT_EQ(TextOf(app.Control(4)), L"") << "nothing else changes";
  EXPECT_TRUE(app.Running());
}

TEST(Credits, EndeClickedWhileTheBoxIsOpenEndsTheProgramOnceItCloses) {
  App app;
  ASSERT_TRUE(app.Start());
  ChooseHiddenPart(app);
  HWND box = BoxWithText(app, kCredits);
  ASSERT_NE(box, nullptr);
  Click(app.Control(1));
  Settle(800);
  EXPECT_TRUE(app.Running());
  AnswerMessageBox(box, IDOK);
  EXPECT_EQ(app.WaitForExit(), 0);
}

TEST(Credits, ItemWorksWhileTheRestartQuestionIsOpen) {
  MakeKey(L"SOFTWARE\\Microsoft\\Ole\\Sub", {L"v"});
  App app;
  ASSERT_TRUE(app.Start());
  Click(app.Control(3));
  HWND question = app.WaitForMessageBox();
  ASSERT_NE(question, nullptr);
  ChooseHiddenPart(app);
  HWND credits = BoxWithText(app, kCredits);
  ASSERT_NE(credits, nullptr);
  EXPECT_TRUE(IsWindow(question));
  AnswerMessageBox(credits, IDOK);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(credits); }));
  AnswerMessageBox(question, IDNO);
  ASSERT_TRUE(WaitFor([&] { return app.MessageBoxes().empty(); }));
  Click(app.Control(1));
  EXPECT_EQ(app.WaitForExit(), 0);
}

}  // namespace
}  // namespace e2e
