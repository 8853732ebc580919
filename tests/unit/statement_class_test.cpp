#include "query/statement_class.h"

#include <gtest/gtest.h>

namespace zuno {
namespace {

TEST(StatementClassTest, FirstWordChoosesThePath) {
  constexpr auto kRows = StatementPath::ResultSet;
  constexpr auto kUpdate = StatementPath::Update;
  struct {
    const char* fault;
    const char* text;
    StatementPath path;
  } cases[] = {
      {"plain select", "select * from t", kRows},
      {"mixed case not upper-cased", "SeLeCt 1 from t", kRows},
      {"with not a result set", "with x as (select 1 from t) select * from x", kRows},
      {"call not a result set", "call proc(1)", kRows},
      {"call alone needs a following space", "CALL", kRows},
      {"tab does not end the word", "select\t* from t", kRows},
      {"line feed does not end the word", "select\n* from t", kRows},
      {"CR LF does not end the word", "select\r\n* from t", kRows},
      {"leading blanks hide the word", "  \t\n select * from t", kRows},
      {"word prefix matched", "selection from t", kUpdate},
      {"other statement shows rows", "insert into t values (1)", kUpdate},
      {"blank text shows rows", " \n\t", kUpdate},
      {"empty text shows rows", "", kUpdate},
      {"parenthesis taken as white space", "(select 1 from t)", kUpdate},
      {"non-ASCII letter upper-cased into a keyword", "wıth x as (select 1) select 1", kUpdate},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyStatement(c.text), c.path) << c.fault;
}

}  // namespace
}  // namespace zuno
