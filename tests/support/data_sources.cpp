#include "tests/support/data_sources.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace zuno::testing {
namespace {

std::string Env(const char* name, const char* fallback) {
  const char* v = std::getenv(name);
  return v ? v : fallback;
}

DataSource Pg(const char* dsn) {
  return {dsn, Env("ZUNO_PG_USER", "zuno"), Env("ZUNO_PG_PASSWORD", "zunopw")};
}

}  // namespace

bool FixturesUp() { return std::getenv("ZUNO_FIXTURE_DIR") != nullptr; }

DataSource PgLuw() { return Pg("ZUNO_PG_LUW"); }
DataSource PgZos() { return Pg("ZUNO_PG_ZOS"); }
DataSource PgBoth() { return Pg("ZUNO_PG_BOTH"); }
DataSource PgPlain() { return Pg("ZUNO_PG_PLAIN"); }
DataSource PgBig() { return Pg("ZUNO_PG_BIG"); }
DataSource PgCursor() { return Pg("ZUNO_PG_CURSOR"); }
DataSource Sqlite() { return {"ZUNO_SQLITE", "tester", "secret"}; }

bool ConnectTo(OdbcLayer& db, const DataSource& source) {
  bool ok = db.Connect(source.dsn, source.user, source.password);
  EXPECT_TRUE(ok) << source.dsn << ": " << db.LastError();
  return ok;
}

}  // namespace zuno::testing
