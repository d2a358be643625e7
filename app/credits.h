// The hidden credits behind the "Hidden Part" item of the system menu.
#pragma once

#include <cstdint>

namespace quellbrin {

constexpr unsigned kIdHiddenPart = 0x30;
constexpr unsigned kSysCommand = 0x0112;  // WM_SYSCOMMAND
inline constexpr const wchar_t* kHiddenPartItem = L"Hidden Part";
inline constexpr const wchar_t* kCreditsTitle = L"You found the hidden part!";

// The four parts, joined; line feeds only.
const wchar_t* BuildCreditsText();

// Windows keeps the low four bits of a system command for itself.
inline bool IsHiddenPartCommand(unsigned message, std::uintptr_t wParam) {
  return message == kSysCommand && (wParam & 0xFFF0u) == kIdHiddenPart;
}

}  // namespace quellbrin
