#include "app/events.h"

namespace quellbrin {

void EventDelivery::Post(const Event& event) {
  if (!queue_.empty() && queue_.back() == event) return;
  queue_.push_back(event);
}

Event EventDelivery::Wait(MessagePump& pump) {
  pending_.reset();
  if (!queue_.empty()) {
    Event event = queue_.front();
    queue_.pop_front();
    return event;
  }
  pump.PumpOne();
  Event event = pending_.value_or(Event{});
  pending_.reset();
  return event;
}

}  // namespace quellbrin
