// What a click on the fix button does: delete the OLE key with its subtree,
// create it again, report the outcome and, after the first success, offer a
// restart.
#pragma once


#include "repair/registry.h"

namespace quellbrin {

inline constexpr const wchar_t* kOleDeletePath = L"SOFTWARE\\Microsoft\\Ole\\";
inline constexpr const wchar_t* kOleCreatePath = L"SOFTWARE\\Microsoft\\Ole";

inline constexpr const wchar_t* kStatusFailed = L"Status: Fix leider ohne Erfolg.";
inline constexpr const wchar_t* kStatusAlreadyFixed = L"Status: Bereits zuvor erfolgreich.";
inline constexpr const wchar_t* kStatusFixed = L"Status: Fix erfolgreich.";
inline constexpr const wchar_t* kRestartQuestion =
    L"Der Quellbrin wird erst nach einem Neustart von Windows aktiv!\n"
    L"Soll Windows jetzt neu gestartet werden?";

// The user-facing side of the repair.
struct RepairUi {
  virtual void ShowStatus(const wchar_t* text) = 0;
  // True when the user answers Yes to the restart question.
  virtual bool AskRestart(const wchar_t* text) = 0;
  virtual void RequestRestart() = 0;

 protected:
  ~RepairUi() = default;
};

void RunRepair(Registry& registry, RepairUi& ui, bool& fixedBefore);

}  // namespace quellbrin
