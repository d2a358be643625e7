#include "app/credits.h"

namespace quellbrin {

const wchar_t* BuildCreditsText() {
  return L"Greetings to:\n"
         L"der.obbo, Brindel, Sorvin, TalmekJ, Quintarox und wumpel vom Orvanta Team...   "
         L"Malvie - Danke, dass du immer f\u00FCr mich da bist!!\n\nund alle die mich kennen... \n\n"
         L"Gru\u00DF Jarnfried Kesselt aka 'Mr.Quorbel of Tavrenik!' (Brimsel) ;-)";
}

}  // namespace quellbrin
