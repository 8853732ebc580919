// What a handler works with: the state record, the windows, the grid, the
// loop, the database, the runner its long work goes through and the result
// pages (session/page_switch.h reaches the current one).
#pragma once

#include "session/app_state.h"
#include "session/event_loop.h"
#include "session/job_runner.h"
#include "session/ui.h"
#include "db/odbc_layer.h"
#include "grid/result_grid.h"
#include "session/result_pages.h"

namespace zuno {

struct Session {
  AppState& state;
  Ui& ui;
  ResultGrid& grid;
  EventLoop& loop;
  OdbcLayer& db;
  JobRunner& jobs;
  // The pages of the result area, grid being the current one's
  // (CurrentPageGrid). Never null: whoever makes a Session gives it pages,
  // and the handlers reach them without asking.
  ResultPages* pages = nullptr;
};

}  // namespace zuno
