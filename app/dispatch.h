// The dispatch table: which handler an event selects by window, control and action.
#pragma once

#include "session/event.h"
#include "app/handlers.h"
#include "session/session.h"

namespace zuno {

class Dispatcher {
 public:
  Dispatcher(Session& session, Handlers handlers) : s_(session), h_(std::move(handlers)) {}

  void Dispatch(const Event& e);
  Handlers& handlers() { return h_; }

 private:
  void Handle(const Event& e);
  void MainWindowControl(int control, Action action, int page);
  void LibraryWindowControl(int control, Action action);
  void EndOnRequest();

  Session& s_;
  Handlers h_;
};

}  // namespace zuno
