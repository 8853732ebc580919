#include "db/driver_failure.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(DriverFailureTest, EveryFailureHasATextWithItsStateAndSaysWhenTheConnectionIsGone) {
  struct { const char *what, *message, *state; std::string text; bool gone; } cases[] = {
      {"Db2's own text keeps its SQLSTATE once",
       "[IBM][CLI Driver][DB2/LINUXX8664] SQL0204N  \"X.T\" is an undefined name.  SQLSTATE=42704", "42S02",
       "[IBM][CLI Driver][DB2/LINUXX8664] SQL0204N  \"X.T\" is an undefined name.  SQLSTATE=42704", false},
      {"another driver's text gets it", "ERROR: relation \"t\" does not exist;\nError while executing the query\n",
       "42P01", "ERROR: relation \"t\" does not exist;\nError while executing the query SQLSTATE=42P01", false},
      {"no text: the fallback, with the state", "", "HY001", "fallback SQLSTATE=HY001", false},
      {"class 08 is a lost connection", "SQL30081N  SQLSTATE=08001", "08001",
       "SQL30081N  SQLSTATE=08001\n" + std::string(kConnectionGone), true},
      {"the driver's own words for it", "The connection has been lost", "57P01",
       "The connection has been lost SQLSTATE=57P01\n" + std::string(kConnectionGone), true},
      {"a state of another class that mentions a connection", "connection refused by the rules", "42501",
       "connection refused by the rules SQLSTATE=42501", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const DriverFailure f = DescribeDriverFailure(c.message, c.state, "fallback");
    EXPECT_EQ(f.text, c.text);
    EXPECT_EQ(f.connectionGone, c.gone);
  }
}

}  // namespace
}  // namespace zuno
