#include "app/credits.h"

#include <gtest/gtest.h>

namespace quellbrin {
namespace {

TEST(CreditsText, IsTheFourPartsWithLineFeedsOnly) {
  const std::wstring expected =
      L"Greetings to:\x000A"
      L"der.obbo, Brindel, Sorvin, TalmekJ, Quintarox und wumpel vom Orvanta Team...   "
      L"Malvie - Danke, dass du immer f\x00FCr mich da bist!!\x000A\x000A"
      L"und alle die mich kennen... \x000A\x000A"
      L"Gru\x00DF Jarnfried Kesselt aka 'Mr.Quorbel of Tavrenik!' (Brimsel) ;-)";
  const std::wstring text = BuildCreditsText();  // as the box gets it
  EXPECT_EQ(text, expected);
  EXPECT_EQ(text.find(L'\r'), std::wstring::npos);
  // The members' greeting runs straight on into the dedication.
  EXPECT_NE(text.find(L"Team...   Malvie"), std::wstring::npos);
}

TEST(HiddenPartCommand, LowFourBitsAreIgnored) {
  struct Case { unsigned message; std::uintptr_t wParam; bool served; };
  const Case cases[] = {
      {0x112, 0x30, true},  {0x112, 0x31, true},  {0x112, 0x3F, true},
      {0x112, 0x40, false}, {0x112, 0x2F, false}, {0x112, 0xF060, false},
      {0x111, 0x30, false}, {0x0, 0x30, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsHiddenPartCommand(c.message, c.wParam), c.served)
        << std::hex << "message " << c.message << " wParam " << c.wParam;
  }
}

}  // namespace
}  // namespace quellbrin
