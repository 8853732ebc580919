// Start-up from the process entry to the first wait for an event, and the end.
#pragma once

#include <memory>

#include "session/app_state.h"
#include "app/dispatch.h"
#include "app/editor_state_keeper.h"
#include "session/event_loop.h"
#include "windows/gtk_shell.h"
#include "session/current_page_grid.h"
#include "session/session.h"

namespace zuno {

// Everything the running program is made of; it lives from start to exit.
class Program {
 public:
  Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  AppState state;
  EventLoop loop;
  OdbcLayer db;
  GtkShell shell;
  JobRunner jobs;
  // The result area's pages, each a grid on the shell; the handlers work on
  // the one in front.
  ResultPages pages;
  CurrentPageGrid grid;
  Session session;
  Dispatcher dispatcher;
  // Made once the kept state is back in the editor; it goes before the shell.
  std::unique_ptr<EditorStateKeeper> keeper;
};

// Locale for everything but numbers, then the toolkit with its settings and the
// program's style provider (steps 1 and 2 of start-up).
void InitToolkit(int* argc, char*** argv);

// Steps 3 to 12: state, windows, Settings File, Rows To Fetch, logo, popup menu.
// The Main Window is shown; the loop has not started.
std::unique_ptr<Program> StartProgram();

// Where the user left off, kept as the user types and at the end, and
// brought back at the start: the editor's text and cursor and the Statement
// History. This keeps it now, flushed to disk.
KeptState KeepEditorState(Program& p);

// The whole life of the process; returns its exit code.
int RunZuno(int argc, char** argv);

}  // namespace zuno
