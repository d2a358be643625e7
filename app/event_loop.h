#pragma once

#include "app/events.h"

namespace quellbrin {

// Control numbers of MainWindow (window 0).
constexpr int kMainWindowNumber = 0;
constexpr int kGadgetEnd = 1;
constexpr int kGadgetBanner = 2;
constexpr int kGadgetFix = 3;
constexpr int kGadgetStatus = 4;

// What the loop's dispatch calls.
struct LoopActions {
  virtual void OpenSiteLink() = 0;
  virtual void RunRepair() = 0;

 protected:
  ~LoopActions() = default;
};

// Takes events one at a time until a close request or "Ende".
void RunEventLoop(EventDelivery& delivery, MessagePump& pump, LoopActions& actions);

}  // namespace quellbrin
