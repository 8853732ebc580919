// What a handler works with: the state record, the windows, the grid, the
// loop, the database and the runner its long work goes through.
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
  // The pages of the result area, grid being the current one's; none where
  // the grid is the only result.
  ResultPages* pages = nullptr;
};

}  // namespace zuno
