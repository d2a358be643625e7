// The author's group's web site and address, as the program shows them.
#pragma once

#include "resources/site.rh"

#define QUELLBRIN_WIDE_(text) L##text
#define QUELLBRIN_WIDE(text) QUELLBRIN_WIDE_(text)

namespace quellbrin {

inline constexpr const wchar_t* kSiteHost = QUELLBRIN_WIDE(QUELLBRIN_SITE_HOST);
inline constexpr const wchar_t* kSiteUrl = L"http://" QUELLBRIN_WIDE(QUELLBRIN_SITE_HOST) L"/";
inline constexpr const wchar_t* kAuthorEmail = QUELLBRIN_WIDE(QUELLBRIN_AUTHOR_EMAIL);

}  // namespace quellbrin
