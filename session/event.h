// The events the loop tells apart, each with the window it came from.
#pragma once

#include "session/control_ids.h"
#include "grid/control_action.h"

namespace zuno {

// A change of the Main Window's size is not an event of the loop: GTK lays the
// controls out again in their containers, also while a handler runs.
enum class EventKind { Close, Control, Menu, Timer };

struct Event {
  EventKind kind = EventKind::Control;
  WindowId window = WindowId::Main;
  int control = -1;
  Action action = Action::LeftClick;
  int menuItem = 0;
  int timerId = 0;
  int page = -1;  // the result page a tab's action names

  static Event CloseOf(WindowId w) { return {EventKind::Close, w}; }
  static Event ControlOf(WindowId w, int control, Action a) {
    return {EventKind::Control, w, control, a};
  }
  static Event PageOf(Action a, int page) {
    Event e{EventKind::Control, WindowId::Main, kResultGrid, a};
    e.page = page;
    return e;
  }
  static Event MenuOf(int item) {
    Event e{EventKind::Menu};
    e.menuItem = item;
    return e;
  }
  static Event TimerTick(int id = 0) {
    Event e{EventKind::Timer};
    e.timerId = id;
    return e;
  }
};

}  // namespace zuno
