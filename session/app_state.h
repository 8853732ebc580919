// The program-wide values, alive from start to exit; only the data source and
// user text outlive the run, through the Settings File. What belongs to one
// result (its statement, Grid Mode, drill-down state) lives on its page
// (session/result_pages.h).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "base/available_memory.h"
#include "db/database_flavour.h"
#include "session/transaction_state.h"

namespace zuno {

// What the rows of a result page are, so a double-click knows what to drill
// into: a statement's result, the tables of a creator or of the catalog, or
// the creators, or the report of a script. None before the first.
// TableDetails: a table's details and DDL; Objects: a schema's views, routines and triggers.
enum class GridMode { None, Query, Catalog, Creators, ScriptReport, TableDetails, Objects };

// Which Query Store the library works on: the one in the home directory or
// the one in the working directory.
enum class StoreMode { Local, Shared };

struct AppState {
  std::string homeDirectory;
  StoreMode storeMode = StoreMode::Local;

  std::string connectionDsn;
  std::string connectionUser;
  std::string connectionPassword;
  // Whether the last Connect made a connection; the controls that need one
  // follow it, and Connect finds the flavour anew each time.
  bool connected = false;
  DatabaseFlavour databaseFlavour = DatabaseFlavour::None;
  TransactionState transaction;
  // The user's own options (app/user_options_file.h); empty: not kept.
  std::string userOptionsPath;
  std::int64_t startTime = 0;  // milliseconds
  std::int64_t endTime = 0;

  std::string lastCreator;

  int popupAction = 0;  // the popup item that opened the Column Chooser
  int popupPage = -1;   // the number of the page it copies from
  int popupRow = -1;    // the identity of the row it acts on; -1 for the titles
  std::string findText;  // what Ctrl+F in the grid last looked for

  // Where the memory a result may take is read (query/fetch_budget.h).
  MemoryFiles memoryFiles;
  // How long a change of the Query Store waits for another program that holds it.
  std::chrono::milliseconds storeLockWait{5000};
};

AppState InitialAppState(const std::string& homeDirectory);

}  // namespace zuno
