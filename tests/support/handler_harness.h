// The program's handlers wired to the scripted windows, result pages of
// in-memory grids and a real ODBC layer; grid is the current page's.
#pragma once

#include <string>
#include <vector>

#include "app/dispatch.h"
#include "app/program_handlers.h"
#include "session/page_switch.h"
#include "tests/support/current_memory_grid.h"
#include "tests/support/data_sources.h"
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

  // The source typed into the Main Window's fields and Connect clicked, as a
  // user does it: the flavour is found as the program finds it.
  void Connect(const DataSource& d) {
    ui.SetText(kDataSourceBox, d.dsn);
    ui.SetText(kUserField, d.user);
    ui.SetText(kPasswordField, d.password);
    Click(kConnectButton);
  }

  // The page the handlers act on, with its statement, Grid Mode and
  // drill-down state.
  ResultPage& page() { return CurrentPage(session); }

  AppState state;
  ScriptedUi ui;
  ResultPages pages = MemoryPages();
  CurrentMemoryGrid grid{pages};
  EventLoop loop;
  OdbcLayer db;
  JobRunner jobs{ui, ui, loop};
  Session session{state, ui, grid, loop, db, jobs, &pages};
  Dispatcher dispatcher{session, ProgramHandlers(session)};
};

}  // namespace zuno::testing
