// The handlers that subsystems register with the dispatch table. A control
// whose handler is not set does nothing.
#pragma once

#include <functional>

#include "app/editor_state_file.h"
#include "session/event.h"

namespace zuno {

struct Handlers {
  std::function<void()> connect;
  std::function<void()> runStatement;  // Run button and Autorun Timer ticks
  std::function<void()> runAtCursor;   // Ctrl+Return
  std::function<void()> runScript;     // Ctrl+Shift+Return
  std::function<void()> catalog;
  std::function<void()> creators;
  std::function<void()> lastCreator;
  std::function<void()> editSql;
  std::function<void()> formatSql;
  std::function<void()> saveReport;
  std::function<void()> openLibrary;
  std::function<void()> gridDrillDown;   // left double-click in the Result Grid (a report row, too)
  std::function<void(int)> popupItem;    // items 1-8 of the grid's popup menu
  std::function<void()> copyRows;        // Ctrl+C in the Result Grid
  std::function<void()> findInResult;    // Ctrl+F in the Result Grid

  std::function<void()> librarySave;
  std::function<void()> libraryLoad;
  std::function<void()> libraryDelete;
  std::function<void()> columnChooserSelect;
  std::function<void()> switchStore;
  std::function<void()> libraryExit;

  std::function<void()> closeConnection;  // at the end of the program
  std::function<KeptState()> keepEditorState;  // before the end, flushed to disk
};

}  // namespace zuno
