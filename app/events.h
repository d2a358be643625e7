// Events as the loop sees them, and their delivery: one pending slot for
// control notifications, a de-duplicating FIFO for everything else.
#pragma once

#include <deque>
#include <optional>

namespace quellbrin {

enum class EventKind {
  None,         // the non-event: a message that produced nothing
  Gadget,       // a control notified MainWindow
  CloseWindow,  // MainWindow was asked to close
  Window,       // moves, activations and the like; the loop ignores them
};

// Gadget event types (the control's notification codes).
constexpr int kLeftClick = 0;  // BN_CLICKED, STN_CLICKED
constexpr int kBannerRightRelease = 0x101;
constexpr int kBannerLeftDoubleClick = 0x102;
constexpr int kBannerRightDoubleClick = 0x103;
constexpr int kBannerDragStart = 0x104;

// Window event types.
constexpr int kWindowMoved = 1;
constexpr int kWindowActivated = 2;
constexpr int kWindowDeactivated = 3;

struct Event {
  EventKind kind = EventKind::None;
  int number = 0;  // control number, or window number
  int type = 0;

  friend bool operator==(const Event& a, const Event& b) {
    return a.kind == b.kind && a.number == b.number && a.type == b.type;
  }
};

// Blocks until the thread has one window message and handles it (keyboard
// table, translate, dispatch). Handling may call back into the delivery.
struct MessagePump {
  virtual void PumpOne() = 0;

 protected:
  ~MessagePump() = default;
};

class EventDelivery {
 public:
  // A control notification: replaces one not yet taken.
  void Notify(int control, int type) { pending_ = Event{EventKind::Gadget, control, type}; }
  // Everything else: queued, unless equal to the last one still waiting.
  void Post(const Event& event);
  // Clears the slot, then returns the oldest queued event, or pumps one
  // message and returns what it put in the slot (or the non-event).
  Event Wait(MessagePump& pump);

  bool HasPending() const { return pending_.has_value(); }
  std::size_t Queued() const { return queue_.size(); }

 private:
  std::optional<Event> pending_;
  std::deque<Event> queue_;
};

}  // namespace quellbrin
