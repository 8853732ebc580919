// The program-wide values, alive from start to exit; only the data source and
// user text outlive the run, through the Settings File.
#pragma once

#include <cstdint>
#include <string>

namespace zuno {

// What the rows of the Result Grid are, so a double-click knows what to drill
// into: a statement's result, the tables of a creator or of the catalog, or
// the creators. None before the first.
enum class GridMode { None, Query, Catalog, Creators };

// The platform Connect's probes found; None until one has answered.
enum class DatabaseFlavour { None, Db2Luw, Db2Zos };

struct AppState {
  std::string homeDirectory;
  std::string storeMode = "Local";
  GridMode gridMode = GridMode::None;

  std::string connectionDsn;
  std::string connectionUser;
  std::string connectionPassword;
  DatabaseFlavour databaseFlavour = DatabaseFlavour::None;
  std::int64_t startTime = 0;  // milliseconds
  std::int64_t endTime = 0;

  std::string lastCreator;
  int lastDrilledRow = 0;
  std::string drilledTableSchema;
  std::string drilledTableName;

  int popupAction = 0;  // the popup item that opened the Column Chooser
};

AppState InitialAppState(const std::string& homeDirectory);

}  // namespace zuno
