#include "app/event_loop.h"

namespace quellbrin {

void RunEventLoop(EventDelivery& delivery, MessagePump& pump, LoopActions& actions) {
  bool quitRequested = false;
  for (;;) {
    const Event event = delivery.Wait(pump);
    if (event.kind == EventKind::Gadget) {
      switch (event.number) {
        case kGadgetEnd:
          quitRequested = true;
          break;
        case kGadgetBanner:
          if (event.type == kLeftClick) actions.OpenSiteLink();
          break;
        case kGadgetFix:
          actions.RunRepair();
          break;
        default:
          break;
      }
    }
    if (event.kind == EventKind::CloseWindow || quitRequested) return;
  }
}

}  // namespace quellbrin
