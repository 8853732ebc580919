// Autocommit off, Commit and Rollback, and the questions that keep
// uncommitted work from being lost or committed unasked: on PostgreSQL with
// a Db2/LUW catalog and on SQLite, each change checked from a second
// connection of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "app/user_options_file.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::DataSource;
using testing::HandlerHarness;
using Choice = Ui::TransactionChoice;

struct TransactionTest : ::testing::TestWithParam<DataSource (*)()> {
  HandlerHarness h;
  DataSource source;
  std::string table = "zuno_tx_" + std::to_string(getpid());

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    source = GetParam()();
    h.ui.SetText(kRowsToFetchBox, "50");
    Connect();
    ASSERT_TRUE(h.state.connected) << h.ui.messages.back();
    Run("create table " + table + " (id integer)");
    h.ui.messages.clear();
    Autocommit(false);
    ASSERT_FALSE(h.state.transaction.autocommit);
  }
  void TearDown() override {
    if (source.dsn.empty()) return;
    if (h.db.Connected()) h.db.EndTransaction(OdbcLayer::TransactionEnd::Rollback);
    h.db.CloseConnection();
    OdbcLayer other;
    other.OpenEnvironment();
    if (testing::ConnectTo(other, source)) other.ExecuteUpdate("drop table " + table);
  }

  void Connect() {
    h.ui.SetText(kDataSourceBox, source.dsn);
    h.ui.SetText(kUserField, source.user);
    h.ui.SetText(kPasswordField, source.password);
    h.Click(kConnectButton);
  }
  void Run(const std::string& text) {
    h.ui.SetText(kSqlEditor, text);
    h.Click(kRunButton);
  }
  void Script(const std::string& text) {
    h.ui.SetText(kSqlEditor, text);
    h.Click(kSqlEditor, Action::RunScript);
  }
  void Switch(Control c) { h.Click(c); }
  void Autocommit(bool on) {
    h.ui.SetChecked(kAutocommitCheckBox, on);
    h.Click(kAutocommitCheckBox);
  }
  // The rows of the table as another connection sees them.
  int RowsSeenByOthers() {
    OdbcLayer other;
    other.OpenEnvironment();
    if (!testing::ConnectTo(other, source)) return -1;
    if (!other.ExecuteQuery("select count(*) from " + table) || !other.NextRow()) {
      ADD_FAILURE() << other.LastError();
      return -1;
    }
    return std::stoi(other.GetText(0));
  }
  int Pending() const { return h.state.transaction.pending; }
};

TEST_P(TransactionTest, AChangeIsSeenByOthersOnlyAfterCommitAndGoesWithRollback) {
  struct Case {
    std::string end;  // a button, or typed
    bool commits;
  };
  int committed = 0;
  for (const Case& c : {Case{"Commit", true}, Case{"commit work", true}, Case{"Rollback", false},
                        Case{"ROLLBACK", false}, Case{"Rollback Work;", false}}) {
    SCOPED_TRACE(c.end);
    Run("insert into " + table + " values (1)");
    Run("select count(*) from " + table);        // a query counts for nothing
    Run("insert into nosuch_table values (1)");  // nor does a failure
    ASSERT_EQ(Pending(), 1);
    const std::int64_t later = h.state.transaction.openedAt + 65'000;
    EXPECT_EQ(h.ui.IndicatorText(later), "uncommitted: 1 statement, open 1:05");
    EXPECT_EQ(h.ui.ShownTitle(later), "*" + h.ui.titles[WindowId::Main] + " - uncommitted: 1 statement, open 1:05");
    EXPECT_EQ(RowsSeenByOthers(), committed);
    if (c.end == "Commit") Switch(kCommitButton);
    else if (c.end == "Rollback") Switch(kRollbackButton);
    else Run(c.end);  // typed: the driver ends the transaction, as the buttons do
    if (c.commits) ++committed;
    EXPECT_EQ(Pending(), 0);
    EXPECT_FALSE(h.state.transaction.Open());
    EXPECT_EQ(h.ui.ShownTitle(0), h.ui.titles[WindowId::Main]);
    EXPECT_EQ(RowsSeenByOthers(), committed);
    if (c.end == "Commit" || c.end == "Rollback") continue;
    ASSERT_EQ(h.ui.notes.size(), 1u);
    EXPECT_NE(h.ui.notes[0].find(c.commits ? "Committed: 1 statement." : "Rolled back: 1 statement."),
              std::string::npos)
        << h.ui.notes[0];
  }
}

TEST_P(TransactionTest, ASavepointPassesToTheDatabase) {
  Run("insert into " + table + " values (1)");
  Run("savepoint one");
  Run("insert into " + table + " values (2)");
  Run("rollback to savepoint one");
  EXPECT_TRUE(h.state.transaction.Pending());
  Switch(kCommitButton);
  EXPECT_EQ(RowsSeenByOthers(), 1);
}

TEST_P(TransactionTest, ExitWithPendingWorkAsksAndCancelKeepsIt) {
  Run("insert into " + table + " values (1)");
  h.ui.transactionAnswers = {Choice::Keep};
  h.Click(kExitButton);
  ASSERT_EQ(h.ui.transactionQuestions.size(), 1u);
  EXPECT_TRUE(h.ui.transactionQuestions[0].second);  // Cancel is offered
  EXPECT_NE(h.ui.transactionQuestions[0].first.find("1 statement is uncommitted"), std::string::npos);
  EXPECT_FALSE(h.ui.quit);
  EXPECT_EQ(Pending(), 1);

  // A close request asks the same; Roll back ends the program.
  h.ui.transactionAnswers = {Choice::RollBack};
  h.loop.Deliver(Event::CloseOf(WindowId::Main));
  EXPECT_TRUE(h.ui.quit);
  EXPECT_EQ(RowsSeenByOthers(), 0);
}

TEST_P(TransactionTest, ConnectingAgainAsksAndCommitKeepsTheWork) {
  Run("insert into " + table + " values (1)");
  h.ui.transactionAnswers = {Choice::Keep};
  Connect();
  EXPECT_EQ(Pending(), 1);  // still the same connection
  h.ui.transactionAnswers = {Choice::Commit};
  Connect();
  EXPECT_EQ(h.ui.transactionQuestions.size(), 2u);
  EXPECT_TRUE(h.state.connected);
  EXPECT_EQ(Pending(), 0);
  EXPECT_EQ(RowsSeenByOthers(), 1);
  // The new connection is in a transaction of its own again.
  Run("insert into " + table + " values (2)");
  EXPECT_EQ(RowsSeenByOthers(), 1);
}

TEST_P(TransactionTest, AFailingScriptLeavesNothingCommittedAndSaysSo) {
  const std::string script = "insert into " + table + " values (1);\ninsert into " + table +
                             " values (2);\ninsert into nosuch_table values (3);\ninsert into " + table +
                             " values (4)";
  Script(script);
  ASSERT_EQ(h.ui.transactionQuestions.size(), 1u);
  const auto& [question, cancel] = h.ui.transactionQuestions[0];
  EXPECT_FALSE(cancel);
  EXPECT_NE(question.find("Statement 3 (line 3) failed"), std::string::npos) << question;
  EXPECT_NE(question.find("not committed (2 statements uncommitted in all)"), std::string::npos) << question;
  EXPECT_EQ(RowsSeenByOthers(), 0);
  EXPECT_EQ(Pending(), 2);  // the dialog closed: the work stays
  Switch(kRollbackButton);
  EXPECT_EQ(RowsSeenByOthers(), 0);

  // A COMMIT in the script ends it there; the question offers Commit.
  h.ui.transactionAnswers = {Choice::Commit};
  Script("insert into " + table + " values (1);\ncommit;\ninsert into " + table +
         " values (2);\ninsert into nosuch_table values (3)");
  EXPECT_EQ(h.ui.transactionQuestions.back().first.find("(1 statement uncommitted in all)") != std::string::npos, true);
  EXPECT_EQ(RowsSeenByOthers(), 2);

  // With autocommit on the script is as it was: each statement committed,
  // the failure told.
  Autocommit(true);
  h.ui.messages.clear();
  Script(script);
  EXPECT_EQ(h.ui.transactionQuestions.size(), 2u);
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_EQ(h.ui.messages[0].find("not committed"), std::string::npos);
  EXPECT_EQ(RowsSeenByOthers(), 4);
}

TEST_P(TransactionTest, TheAutorunTimerDoesNotRunWithPendingWork) {
  h.ui.SetText(kSqlEditor, "insert into " + table + " values (1)");
  for (int tick = 0; tick < 3; ++tick) h.loop.Deliver(Event::TimerTick());
  EXPECT_EQ(Pending(), 1);  // the first tick ran, the others waited
  ASSERT_EQ(h.ui.messages.size(), 1u);  // the timer's word, once
  EXPECT_NE(h.ui.messages[0].find("Autorun Timer does not run"), std::string::npos);
  Switch(kCommitButton);
  h.loop.Deliver(Event::TimerTick());
  EXPECT_EQ(Pending(), 1);
  Switch(kCommitButton);
  EXPECT_EQ(RowsSeenByOthers(), 2);
}

TEST_P(TransactionTest, SwitchingAutocommitOnAsksAndIsKeptForTheNextStart) {
  testing::TempDir dir;
  h.state.userOptionsPath = dir.File("zuno/options");
  Autocommit(true);  // nothing pending: no question
  EXPECT_TRUE(h.ui.transactionQuestions.empty());
  EXPECT_TRUE(ReadUserOptions(h.state.userOptionsPath)->autocommit);
  Autocommit(false);
  EXPECT_FALSE(ReadUserOptions(h.state.userOptionsPath)->autocommit);

  Run("insert into " + table + " values (1)");
  h.ui.transactionAnswers = {Choice::Keep};
  Autocommit(true);
  EXPECT_FALSE(h.state.transaction.autocommit);  // cancelled: the box goes back
  EXPECT_FALSE(h.ui.IsChecked(kAutocommitCheckBox));
  h.ui.transactionAnswers = {Choice::RollBack};
  Autocommit(true);
  EXPECT_TRUE(h.state.transaction.autocommit);
  EXPECT_EQ(RowsSeenByOthers(), 0);
  Run("insert into " + table + " values (2)");
  EXPECT_EQ(RowsSeenByOthers(), 1);  // committed by the driver at once
  EXPECT_EQ(Pending(), 0);
}

INSTANTIATE_TEST_SUITE_P(Drivers, TransactionTest, ::testing::Values(&testing::PgLuw, &testing::Sqlite),
                         [](const auto& info) { return info.index == 0 ? std::string("PgLuw") : std::string("Sqlite"); });

// A connection lost with uncommitted work: the user is told that it is gone.
TEST(TransactionLostTest, ALostConnectionSaysTheUncommittedWorkIsGone) {
  ZUNO_REQUIRE_FIXTURES();
  HandlerHarness h;
  const DataSource source = testing::PgPlain();
  h.ui.SetText(kRowsToFetchBox, "50");
  h.ui.SetText(kDataSourceBox, source.dsn);
  h.ui.SetText(kUserField, source.user);
  h.ui.SetText(kPasswordField, source.password);
  h.Click(kConnectButton);
  h.ui.SetChecked(kAutocommitCheckBox, false);
  h.Click(kAutocommitCheckBox);
  h.ui.SetText(kSqlEditor, "create temp table lost_t (id integer)");
  h.Click(kRunButton);
  h.ui.SetText(kSqlEditor, "select pg_backend_pid() as pid");
  h.Click(kRunButton);
  ASSERT_EQ(h.grid.RowCount(), 1);
  const std::string pid = h.grid.CellText(0, 0);

  OdbcLayer admin;
  admin.OpenEnvironment();
  ASSERT_TRUE(testing::ConnectTo(admin, source));
  ASSERT_TRUE(admin.ExecuteQuery("select pg_terminate_backend(" + pid + ")")) << admin.LastError();
  h.ui.messages.clear();
  h.Click(kRunButton);
  ASSERT_EQ(h.ui.messages.size(), 2u);
  EXPECT_NE(h.ui.messages[1].find("the database rolls back 1 statement"), std::string::npos) << h.ui.messages[1];
  EXPECT_EQ(h.state.transaction.pending, 0);
  EXPECT_FALSE(h.state.connected);
}

}  // namespace
}  // namespace zuno
