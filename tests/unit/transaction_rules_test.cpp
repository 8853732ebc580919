// What a statement does to the transaction, and the user's options file
// that keeps the Autocommit choice.
#include <gtest/gtest.h>

#include "app/user_options_file.h"
#include "query/transaction_statement.h"

namespace zuno {
namespace {

using End = OdbcLayer::TransactionEnd;

TEST(TransactionStatementTest, OnlyAWholeCommitOrRollbackEndsTheTransaction) {
  struct Case {
    std::string_view text;
    std::optional<End> end;
  };
  const Case cases[] = {
      {"COMMIT", End::Commit},
      {"commit work", End::Commit},
      {"  Commit\n  Work ;", End::Commit},
      {"rollback", End::Rollback},
      {"rollback to savepoint s1", std::nullopt},  // goes to the database
      {"savepoint s1 on rollback retain cursors", std::nullopt},
      {"\"COMMIT\"", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadTransactionStatement(c.text), c.end) << c.text;
}

TEST(TransactionStatementTest, OnlyAStatementThatChangedSomethingLeavesWork) {
  struct Case {
    std::string_view text;
    long long rows;
    bool work;
  };
  const Case cases[] = {
      {"insert into t values (1)", 1, true},
      {"update t set a = 1 where 1 = 0", 0, false},  // touched no row
      {"delete from t", -1, true},                   // the driver does not know
      {"MERGE into t using s on 1 = 1 when matched then delete", 2, true},
      {"create table t (a int)", 0, true},
      {"call proc(1)", 0, true},  // the procedure may change rows
      {"select * from t", 0, false},
      {"select id from final table (insert into t values (1))", 0, true},
      {"select 'final table (' from t", 0, false},
      {"set current schema = x", 0, false},
      {"savepoint s1", 0, false},
      {"rollback to savepoint s1", 0, false},
  };
  for (const Case& c : cases) EXPECT_EQ(LeavesWorkToCommit(c.text, c.rows), c.work) << c.text;
}

TEST(UserOptionsTest, AutocommitIsOffOnlyWhereTheFileSaysSoAndOtherLinesStay) {
  for (const auto& [text, on] : {std::pair{"", true},
                                 {"autocommit=off\r\n", false},
                                 {"autocommit=of\n", true},
                                 {"autocommit=off\nautocommit=yes\n", true}})
    EXPECT_EQ(ParseUserOptions(text).autocommit, on) << text;
  EXPECT_EQ(FormatUserOptions(ParseUserOptions("theme=dark\nautocommit=off\n")), "autocommit=off\ntheme=dark\n");
}

}  // namespace
}  // namespace zuno
