// What a statement does to the transaction, what the indicator says, and
// the user's options file that keeps the Autocommit choice.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/user_options_file.h"
#include "query/transaction_statement.h"
#include "session/transaction_state.h"
#include "tests/support/temp_dir.h"

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
      {"-- done\ncommit /* all */", End::Commit},
      {"rollback", End::Rollback},
      {"ROLLBACK WORK;", End::Rollback},
      {"rollback to savepoint s1", std::nullopt},  // goes to the database
      {"rollback work to savepoint", std::nullopt},
      {"savepoint s1 on rollback retain cursors", std::nullopt},
      {"commit everything", std::nullopt},
      {"commit work work", std::nullopt},
      {"\"COMMIT\"", std::nullopt},
      {"'commit'", std::nullopt},
      {"committed", std::nullopt},
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
      {"drop table t", -1, true},
      {"grant select on t to public", 0, true},
      {"call proc(1)", 0, true},  // the procedure may change rows
      {"select * from t", 0, false},
      {"with x as (select 1 from t) select * from x", 0, false},
      {"select id from final table (insert into t values (1))", 0, true},
      {"select * from old table(delete from t)", 0, true},
      {"select 'final table (' from t", 0, false},
      {"set current schema = x", 0, false},
      {"values current timestamp", 0, false},
      {"savepoint s1", 0, false},
      {"release savepoint s1", 0, false},
      {"rollback to savepoint s1", 0, false},
      {"", 0, false},
  };
  for (const Case& c : cases) EXPECT_EQ(LeavesWorkToCommit(c.text, c.rows), c.work) << c.text;
}

TEST(TransactionStateTest, TheIndicatorSaysWhatIsUncommittedAndForHowLong) {
  TransactionState t;
  NoteStatement(t, true, 1000);
  EXPECT_EQ(TransactionIndicatorText(t, 2000), "") << "autocommit on: no transaction";
  t.autocommit = false;
  NoteStatement(t, false, 1000);  // a query opens it
  EXPECT_EQ(TransactionIndicatorText(t, 43'999), "transaction open 0:42");
  NoteStatement(t, true, 50'000);
  EXPECT_EQ(t.openedAt, 1000);  // since the first statement
  EXPECT_EQ(TransactionIndicatorText(t, 1000 + 125'000), "uncommitted: 1 statement, open 2:05");
  NoteStatement(t, true, 60'000);
  EXPECT_EQ(TransactionIndicatorText(t, 1000 + 3'725'000), "uncommitted: 2 statements, open 1:02:05");
  EXPECT_EQ(MarkedTitle("ZUNO - Db2/LUW", t, 1000 + 125'000), "*ZUNO - Db2/LUW - uncommitted: 2 statements, open 2:05");
  EndTransaction(t);
  EXPECT_EQ(TransactionIndicatorText(t, 100'000), "");
  EXPECT_EQ(MarkedTitle("ZUNO", t, 100'000), "ZUNO");
}

TEST(UserOptionsTest, AutocommitIsOffOnlyWhereTheFileSaysSoAndOtherLinesStay) {
  struct Case {
    std::string_view text;
    bool autocommit;
  };
  for (const Case& c : {Case{"", true}, Case{"autocommit=off\n", false}, Case{"autocommit=off\r\n", false},
                        Case{"autocommit=on\rautocommit=off", false}, Case{"autocommit=of\n", true},
                        Case{"autocommit=off\nautocommit=yes\n", true}})
    EXPECT_EQ(ParseUserOptions(c.text).autocommit, c.autocommit) << c.text;
  const UserOptions kept = ParseUserOptions("theme=dark\nautocommit=off\n");
  EXPECT_EQ(FormatUserOptions(kept), "autocommit=off\ntheme=dark\n");
}

TEST(UserOptionsTest, TheFileIsTheUsersOwnInItsConfigFolder) {
  EXPECT_EQ(UserOptionsPath("/x/cfg", "/home/u/"), "/x/cfg/zuno/options");
  EXPECT_EQ(UserOptionsPath("relative", "/home/u"), "/home/u/.config/zuno/options");
  EXPECT_EQ(UserOptionsPath(nullptr, ""), "");

  testing::TempDir dir;
  const std::string path = dir.File("cfg/zuno/options");
  EXPECT_FALSE(ReadUserOptions(path));
  UserOptions off;
  off.autocommit = false;
  ASSERT_EQ(WriteUserOptions(path, off), "");
  EXPECT_FALSE(ReadUserOptions(path)->autocommit);
  struct stat st{};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  // A folder that is not one is said so, never written through.
  testing::WriteFileBytes(dir.File("file"), "x");
  EXPECT_NE(WriteUserOptions(dir.File("file/options"), UserOptions{}), "");
}

}  // namespace
}  // namespace zuno
