// The program's handlers wired to the scripted windows, the in-memory grid
// and a real ODBC layer.
#pragma once

#include <string>
#include <vector>

#include "app/dispatch.h"
#include "app/program_handlers.h"
#include "tests/support/memory_result_grid.h"
#include "tests/support/scripted_ui.h"

namespace zuno::testing {

struct HandlerHarness {
  explicit HandlerHarness(const std::string& home = "") : state(InitialAppState(home)) {
    db.OpenEnvironment();
    loop.SetSink([this](const Event& e) { dispatcher.Dispatch(e); });
    loop.SetFailureReport([this](const std::string& message) { jobs.Tell(message); });
  }

  void Click(Control c, Action a = Action::LeftClick) {
    WindowId w = ControlById(c).window;
    loop.Deliver(Event::ControlOf(w, c, a));
  }

  AppState state;
  ScriptedUi ui;
  MemoryResultGrid grid;
  EventLoop loop;
  OdbcLayer db;
  JobRunner jobs{ui, ui, loop};
  Session session{state, ui, grid, loop, db, jobs};
  Dispatcher dispatcher{session, ProgramHandlers(session)};
};

}  // namespace zuno::testing
