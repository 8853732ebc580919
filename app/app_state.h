// The program-wide values, alive from start to exit; only the data source and
// user text outlive the run, through the Settings File.
#pragma once

#include <cstdint>
#include <string>

namespace zuno {

struct AppState {
  std::string homeDirectory;
  std::string storeMode = "Local";
  std::string gridMode;  // "QUERY", "CATALOG", "CREATORS" or empty

  std::string connectionDsn;
  std::string connectionUser;
  std::string connectionPassword;
  std::string databaseFlavour;  // "Db2/LUW", "Db2/zOS" or empty
  std::int64_t startTime = 0;   // milliseconds
  std::int64_t endTime = 0;

  std::string lastCreator;
  int lastDrilledRow = 0;
  std::string drilledTableSchema;
  std::string drilledTableName;

  int popupAction = 0;  // the popup item that opened the Column Chooser
};

AppState InitialAppState(const std::string& homeDirectory);

}  // namespace zuno
