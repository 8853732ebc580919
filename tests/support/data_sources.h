// The data sources that the test command brings up for each run: a private
// PostgreSQL cluster with databases that present a Db2 catalog, and SQLite
// files. Tests that need them skip when the fixtures are not up (ctest run
// by hand without the test command).
#pragma once

#include <string>

#include "db/odbc_layer.h"

namespace zuno::testing {

struct DataSource {
  std::string dsn;
  std::string user;
  std::string password;
};

bool FixturesUp();

// The PostgreSQL data sources, by what their catalog presents.
DataSource PgLuw();    // a Db2/LUW catalog
DataSource PgZos();    // a Db2/zOS catalog
DataSource PgBoth();   // both catalogs
DataSource PgPlain();  // neither
DataSource PgBig();    // a Db2/LUW catalog of 100,000 tables
DataSource PgCursor(); // neither, its rows read from the server 100 a time
DataSource Sqlite();   // a plain SQLite database file

// Connects the layer or fails the calling test.
bool ConnectTo(OdbcLayer& db, const DataSource& source);

}  // namespace zuno::testing

#define ZUNO_REQUIRE_FIXTURES()                                                     \
  do {                                                                              \
    if (!::zuno::testing::FixturesUp()) GTEST_SKIP() << "test data sources are not up"; \
  } while (0)
