#include "app/events.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/event_loop.h"

namespace quellbrin {
namespace {

// A pump whose "messages" are scripted steps acting on the delivery.
struct ScriptedPump final : MessagePump {
  std::vector<std::function<void()>> steps;
  std::size_t next = 0;
  void PumpOne() override {
    ASSERT_LT(next, steps.size()) << "the loop waited for more messages than scripted";
    steps[next++]();
  }
};

const Event kClose{EventKind::CloseWindow, kMainWindowNumber, 0};
const Event kMoved{EventKind::Window, kMainWindowNumber, kWindowMoved};

TEST(EventDelivery, LaterNotificationReplacesTheEarlier) {
  EventDelivery d;
  ScriptedPump pump;
  pump.steps.push_back([&] {
    d.Notify(kGadgetEnd, 0);
    d.Notify(kGadgetFix, 0);
  });
  EXPECT_EQ(d.Wait(pump), (Event{EventKind::Gadget, kGadgetFix, 0}));
  EXPECT_FALSE(d.HasPending());
}

TEST(EventDelivery, QueueDropsOnlyAnEventEqualToTheLastWaiting) {
  EventDelivery d;
  d.Post(kMoved);
  d.Post(kMoved);     // dropped
  d.Post(kClose);
  d.Post(kMoved);     // kept: not equal to the last waiting
  d.Post(Event{EventKind::Window, kMainWindowNumber, kWindowActivated});
  ScriptedPump pump;
  EXPECT_EQ(d.Wait(pump), kMoved);
  EXPECT_EQ(d.Wait(pump), kClose);
  EXPECT_EQ(d.Wait(pump), kMoved);
  EXPECT_EQ(d.Wait(pump).type, kWindowActivated);
  EXPECT_EQ(pump.next, 0u);
  // Once taken, an equal event is queued again.
  d.Post(kClose);
  EXPECT_EQ(d.Queued(), 1u);
}

TEST(EventDelivery, WaitClearsTheSlotBeforeServingTheQueue) {
  EventDelivery d;
  d.Post(kClose);
  d.Notify(kGadgetFix, 0);  // e.g. a click made while a message box was open
  ScriptedPump pump;
  EXPECT_EQ(d.Wait(pump), kClose);
  EXPECT_FALSE(d.HasPending());
  pump.steps.push_back([] {});
  EXPECT_EQ(d.Wait(pump).kind, EventKind::None);
}

TEST(EventDelivery, MessageWithoutEventYieldsTheNonEvent) {
  EventDelivery d;
  ScriptedPump pump;
  pump.steps.push_back([&] { d.Post(kClose); });  // queued, not pending
  EXPECT_EQ(d.Wait(pump).kind, EventKind::None);
  EXPECT_EQ(d.Wait(pump), kClose);
}

struct CountingActions final : LoopActions {
  int links = 0, repairs = 0;
  std::function<void()> duringRepair;
  void OpenSiteLink() override { ++links; }
  void RunRepair() override {
    ++repairs;
    if (duringRepair) duringRepair();
  }
};

TEST(EventLoop, DispatchesByControlAndEndsOnEndOrClose) {
  struct Case {
    const char* name;
    std::vector<Event> notifications;  // one per message; the last must end the loop
    int links, repairs;
  };
  const Event end{EventKind::Gadget, kGadgetEnd, 0};
  const Case cases[] = {
      {"end", {end}, 0, 0},
      {"close", {kClose}, 0, 0},
      {"fix then end", {{EventKind::Gadget, kGadgetFix, 0}, end}, 0, 1},
      {"fix with another type", {{EventKind::Gadget, kGadgetFix, 5}, end}, 0, 1},
      {"banner press", {{EventKind::Gadget, kGadgetBanner, kLeftClick}, end}, 1, 0},
      {"banner double-click", {{EventKind::Gadget, kGadgetBanner, kBannerLeftDoubleClick}, end}, 0, 0},
      {"status and unknown", {{EventKind::Gadget, kGadgetStatus, 0}, {EventKind::Gadget, 99, 0}, end}, 0, 0},
      {"window events", {kMoved, {EventKind::None, 0, 0}, kClose}, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EventDelivery d;
    ScriptedPump pump;
    for (const Event& e : c.notifications) {
      pump.steps.push_back([&d, e] {
        if (e.kind == EventKind::Gadget) d.Notify(e.number, e.type);
        else if (e.kind != EventKind::None) d.Post(e);
      });
    }
    // Queued events take an extra wait each; give the pump nothing more to do.
    for (int i = 0; i < 8; ++i) pump.steps.push_back([] {});
    CountingActions actions;
    RunEventLoop(d, pump, actions);
    EXPECT_EQ(actions.links, c.links);
    EXPECT_EQ(actions.repairs, c.repairs);
  }
}

TEST(EventLoop, ClickDuringTheRestartQuestionIsLostButCloseIsKept) {
  EventDelivery d;
  ScriptedPump pump;
  pump.steps.push_back([&] { d.Notify(kGadgetFix, 0); });
  pump.steps.push_back([] {});  // the wait that follows the repair
  pump.steps.push_back([&] { d.Notify(kGadgetEnd, 0); });
  CountingActions actions;
  // While the question's own loop runs: a click on Fix, then a close request.
  actions.duringRepair = [&] {
    d.Notify(kGadgetFix, 0);
    d.Post(kClose);
  };
  RunEventLoop(d, pump, actions);
  EXPECT_EQ(actions.repairs, 1);
  EXPECT_EQ(pump.next, 1u) << "the close request ended the loop right after the repair";
}

TEST(EventLoop, ClicksDuringABoxInsideDispatchAreHandledAfterItLastOnly) {
  EventDelivery d;
  ScriptedPump pump;
  // One message whose dispatch runs a modal box; two clicks arrive meanwhile.
  pump.steps.push_back([&] {
    d.Notify(kGadgetFix, 0);
    d.Notify(kGadgetEnd, 0);
  });
  CountingActions actions;
  RunEventLoop(d, pump, actions);
  EXPECT_EQ(actions.repairs, 0);
  EXPECT_EQ(pump.next, 1u);
}

}  // namespace
}  // namespace quellbrin
