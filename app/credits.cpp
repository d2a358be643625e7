#include "app/credits.h"

namespace quellbrin {

std::wstring BuildCreditsText() {
  std::wstring text;
  text += L"Greetings to:\n";
  text += L"der.obbo, Brindel, Sorvin, TalmekJ, Quintarox und wumpel vom Orvanta Team...   ";
  text += L"Malvie - Danke, dass du immer f\u00FCr mich da bist!!\n\nund alle die mich kennen... \n\n";
  text += L"Gru\u00DF Jarnfried Kesselt aka 'Mr.Quorbel of Tavrenik!' (Brimsel) ;-)";
  return text;
}

}  // namespace quellbrin
