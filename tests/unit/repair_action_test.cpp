#include "repair/repair_action.h"

#include <gtest/gtest.h>

#include "repair/memory_registry.h"

namespace quellbrin {
namespace {

constexpr const wchar_t* kOle = L"SOFTWARE\\Microsoft\\Ole";

struct FakeUi final : RepairUi {
  void ShowStatus(const wchar_t* text) override { statuses.push_back(text); }
  bool AskRestart(const wchar_t* text) override {
    questions.push_back(text);
    return answerYes;
  }
  void RequestRestart() override { ++restarts; }

  bool answerYes = false;
  std::vector<std::wstring> statuses, questions;
  int restarts = 0;
};

void FillOle(MemoryRegistry& reg) {
  reg.SetValue(kOle, L"EnableDCOM", L"Y");
  reg.SetValue(std::wstring(kOle) + L"\\Extensions\\Deep", L"v", L"1");
}

struct Outcome {
  const char* name;
  bool keyPresent;   // so that the deletion succeeds
  bool fixedBefore;
  const wchar_t* status;
  bool asks;
  bool fixedAfter;
};

TEST(RunRepair, OutcomeTable) {
  const Outcome cases[] = {
      {"fails, first", false, false, L"Status: Fix leider ohne Erfolg.", false, false},
      {"fails, fixed before", false, true, L"Status: Bereits zuvor erfolgreich.", false, true},
      {"succeeds, fixed before", true, true, L"Status: Bereits zuvor erfolgreich.", false, true},
      {"succeeds, first", true, false, L"Status: Fix erfolgreich.", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry reg;
    reg.AddKey(L"SOFTWARE\\Microsoft");
    if (c.keyPresent) FillOle(reg);
    FakeUi ui;
    bool fixedBefore = c.fixedBefore;
    RunRepair(reg, ui, fixedBefore);
    EXPECT_EQ(ui.statuses, std::vector<std::wstring>{c.status});
    EXPECT_EQ(ui.questions.size(), c.asks ? 1u : 0u);
    EXPECT_EQ(fixedBefore, c.fixedAfter);
    EXPECT_EQ(ui.restarts, 0);
    // Created again, empty, in every case.
    EXPECT_TRUE(reg.Exists(kOle));
    EXPECT_EQ(reg.SubkeyCount(kOle), 0u);
    EXPECT_EQ(reg.ValueCount(kOle), 0u);
    EXPECT_EQ(reg.OpenHandles(), 0u);
  }
}

TEST(RunRepair, QuestionTextAndYesRequestsTheRestart) {
  MemoryRegistry reg;
  FillOle(reg);
  FakeUi ui;
  ui.answerYes = true;
  bool fixedBefore = false;
  RunRepair(reg, ui, fixedBefore);
  ASSERT_EQ(ui.questions.size(), 1u);
  EXPECT_EQ(ui.questions[0],
            L"Der Quellbrin wird erst nach einem Neustart von Windows aktiv!\x000A"
            L"Soll Windows jetzt neu gestartet werden?");
  EXPECT_EQ(ui.restarts, 1);
}

TEST(RunRepair, MissingKeyThenSecondClickSucceeds) {
  MemoryRegistry reg;
  reg.AddKey(L"SOFTWARE\\Microsoft");
  FakeUi ui;
  bool fixedBefore = false;
  RunRepair(reg, ui, fixedBefore);
  EXPECT_TRUE(reg.Exists(kOle));
  RunRepair(reg, ui, fixedBefore);
  EXPECT_EQ(ui.statuses, (std::vector<std::wstring>{L"Status: Fix leider ohne Erfolg.",
                                                     L"Status: Fix erfolgreich."}));
  EXPECT_EQ(ui.questions.size(), 1u);
}

TEST(RunRepair, AnswerNoThenSecondClickAsksNoMore) {
  MemoryRegistry reg;
  FillOle(reg);
  FakeUi ui;
  bool fixedBefore = false;
  RunRepair(reg, ui, fixedBefore);
  EXPECT_EQ(ui.restarts, 0);
  reg.SetValue(kOle, L"Again", L"1");
  RunRepair(reg, ui, fixedBefore);
  EXPECT_EQ(ui.statuses, (std::vector<std::wstring>{L"Status: Fix erfolgreich.",
                                                     L"Status: Bereits zuvor erfolgreich."}));
  EXPECT_EQ(ui.questions.size(), 1u);
  // The second click still deleted and re-created the key.
  EXPECT_EQ(reg.ValueCount(kOle), 0u);
}

TEST(RunRepair, FailureThenSuccessAsksTheQuestion) {
  MemoryRegistry reg;
  FillOle(reg);
  reg.DenyDelete(std::wstring(kOle) + L"\\Extensions\\Deep");
  FakeUi ui;
  bool fixedBefore = false;
  RunRepair(reg, ui, fixedBefore);
  EXPECT_EQ(ui.statuses.back(), L"Status: Fix leider ohne Erfolg.");
  EXPECT_TRUE(reg.Exists(std::wstring(kOle) + L"\\Extensions\\Deep"));
  EXPECT_FALSE(fixedBefore);

  MemoryRegistry healed;
  FillOle(healed);
  RunRepair(healed, ui, fixedBefore);
  EXPECT_EQ(ui.statuses.back(), L"Status: Fix erfolgreich.");
  EXPECT_EQ(ui.questions.size(), 1u);
}

TEST(RunRepair, FailedRecreationDoesNotChangeTheOutcome) {
  MemoryRegistry reg;
  FillOle(reg);
  // The calls of a successful walk on this tree come first; the create is next.
  MemoryRegistry probe;
  FillOle(probe);
  FakeUi probeUi;
  bool probeFixed = false;
  RunRepair(probe, probeUi, probeFixed);
  reg.FailCall(probe.CallCount() - 1, kErrorAccessDenied);
  FakeUi ui;
  bool fixedBefore = false;
  RunRepair(reg, ui, fixedBefore);
  EXPECT_EQ(ui.statuses, std::vector<std::wstring>{L"Status: Fix erfolgreich."});
  EXPECT_FALSE(reg.Exists(kOle));
  EXPECT_EQ(reg.OpenHandles(), 0u);
}

}  // namespace
}  // namespace quellbrin
