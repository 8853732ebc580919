// Autocommit off, Commit and Rollback, and the questions that keep
// uncommitted work from being lost or committed unasked: on PostgreSQL with
// a Db2/LUW catalog and on SQLite, each change checked from a second
// connection of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include "app/transaction_handlers.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"

namespace zuno {
namespace {

using testing::DataSource;
using Choice = Ui::TransactionChoice;

struct TransactionTest : ::testing::TestWithParam<DataSource (*)()> {
  testing::HandlerHarness h;
  DataSource source;
  std::string table = "zuno_tx_" + std::to_string(getpid());

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    source = GetParam()();
    h.ui.SetText(kRowsToFetchBox, "50");
    Connect();
    Run("create table " + table + " (id integer)");
    Autocommit(false);
  }
  void TearDown() override {
    if (source.dsn.empty()) return;
    h.db.CloseConnection();  // rolls back what it holds
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
  void Run(const std::string& text, Action a = Action::LeftClick) {
    h.ui.SetText(kSqlEditor, text);
    h.Click(a == Action::RunScript ? kSqlEditor : kRunButton, a);
  }
  void Insert(int id) { Run("insert into " + table + " values (" + std::to_string(id) + ")"); }
  void Autocommit(bool on) {
    h.ui.SetChecked(kAutocommitCheckBox, on);
    h.Click(kAutocommitCheckBox);
  }
  // The table's rows as another connection sees them.
  int RowsSeenByOthers() {
    OdbcLayer other;
    other.OpenEnvironment();
    if (!testing::ConnectTo(other, source)) return -1;
    EXPECT_TRUE(other.ExecuteQuery("select count(*) from " + table) && other.NextRow()) << other.LastError();
    return std::stoi("0" + other.GetText(0));
  }
  int Pending() const { return h.state.transaction.pending; }
};

TEST_P(TransactionTest, AChangeIsSeenByOthersOnlyAfterCommitAndGoesWithRollback) {
  int committed = 0;
  for (const auto& [end, commits] : {std::pair{"Commit", true},
                                     {"commit work", true},
                                     {"Rollback", false},
                                     {"ROLLBACK", false},
                                     {"Rollback Work;", false}}) {
    SCOPED_TRACE(end);
    Insert(1);
    Run("select count(*) from " + table);        // a query counts for nothing
    Run("insert into nosuch_table values (1)");  // nor does a failure
    ASSERT_EQ(Pending(), 1);
    const std::int64_t later = h.state.transaction.openedAt + 65'000;
    EXPECT_EQ(h.ui.ShownTitle(later), "*" + h.ui.titles[WindowId::Main] + " - uncommitted: 1 statement, open 1:05");
    EXPECT_EQ(RowsSeenByOthers(), committed);
    const std::string typed = end;
    if (typed == "Commit" || typed == "Rollback")
      h.Click(typed == "Commit" ? kCommitButton : kRollbackButton);
    else
      Run(typed);  // the driver ends the transaction, as the buttons do
    committed += commits;
    EXPECT_EQ(h.ui.ShownTitle(0), h.ui.titles[WindowId::Main]);
    EXPECT_EQ(RowsSeenByOthers(), committed);
    if (typed != "Commit" && typed != "Rollback") {
      EXPECT_NE(h.ui.notes.at(0).find(commits ? "Committed: 1 statement." : "Rolled back: 1 statement."),
                std::string::npos);
    }
  }
  // A savepoint goes to the database.
  for (const std::string& sql : {"insert into " + table + " values (1)", std::string("savepoint one"),
                                 "insert into " + table + " values (2)", std::string("rollback to savepoint one")})
    Run(sql);
  h.Click(kCommitButton);
  EXPECT_EQ(RowsSeenByOthers(), committed + 1);
}

TEST_P(TransactionTest, TheConnectionGoesWithPendingWorkOnlyAsTheUserSays) {
  Insert(1);
  h.ui.transactionAnswers = {Choice::Keep, Choice::Commit};
  h.Click(kExitButton);
  EXPECT_FALSE(h.ui.quit);  // Cancel keeps the window and the transaction
  EXPECT_EQ(Pending(), 1);
  EXPECT_NE(h.ui.transactionQuestions.at(0).first.find("1 statement is uncommitted"), std::string::npos);
  EXPECT_TRUE(h.ui.transactionQuestions[0].second);  // Cancel is offered
  Connect();
  EXPECT_EQ(RowsSeenByOthers(), 1);
  Insert(2);  // the new connection has a transaction of its own
  h.ui.transactionAnswers = {Choice::RollBack};
  h.loop.Deliver(Event::CloseOf(WindowId::Main));
  EXPECT_TRUE(h.ui.quit);
  EXPECT_EQ(RowsSeenByOthers(), 1);
}

TEST_P(TransactionTest, AFailingScriptLeavesNothingCommittedAndSaysSo) {
  const std::string script = "insert into " + table + " values (1);\ncommit;\ninsert into " + table +
                             " values (2);\ninsert into " + table + " values (3);\ninsert into nosuch_table values (4)";
  Run(script, Action::RunScript);
  const auto [question, cancel] = h.ui.transactionQuestions.at(0);
  EXPECT_FALSE(cancel);
  EXPECT_NE(question.find("Statement 5 (line 5) failed"), std::string::npos) << question;
  EXPECT_NE(question.find("not committed (2 statements uncommitted in all)"), std::string::npos) << question;
  EXPECT_EQ(RowsSeenByOthers(), 1);  // the typed COMMIT ended the first
  EXPECT_EQ(Pending(), 2);           // the question closed: the work stays
  h.Click(kRollbackButton);

  // With autocommit on the script is as it was: each statement committed,
  // the failure told.
  Autocommit(true);
  Run(script, Action::RunScript);
  EXPECT_EQ(h.ui.transactionQuestions.size(), 1u);  // the failure is told as before
  EXPECT_EQ(RowsSeenByOthers(), 4);
}

TEST_P(TransactionTest, TheAutorunTimerDoesNotRunWithPendingWork) {
  h.ui.SetText(kSqlEditor, "insert into " + table + " values (1)");
  for (int tick = 0; tick < 3; ++tick) h.loop.Deliver(Event::TimerTick());
  EXPECT_EQ(Pending(), 1);  // the first tick ran, the others waited; the user is told once
  EXPECT_EQ(h.ui.messages, std::vector<std::string>{std::string(kAutorunHeld)});
  h.Click(kCommitButton);
  h.loop.Deliver(Event::TimerTick());
  EXPECT_EQ(Pending(), 1);
}

INSTANTIATE_TEST_SUITE_P(Drivers, TransactionTest, ::testing::Values(&testing::PgLuw, &testing::Sqlite),
                         [](const auto& info) {
                           return info.index == 0 ? std::string("PgLuw") : std::string("Sqlite");
                         });

TEST(TransactionLostTest, ALostConnectionSaysTheUncommittedWorkIsGone) {
  ZUNO_REQUIRE_FIXTURES();
  testing::HandlerHarness h;
  const DataSource source = testing::PgPlain();
  ASSERT_TRUE(testing::ConnectTo(h.db, source));
  h.state.connected = true;
  h.ui.SetChecked(kAutocommitCheckBox, false);
  h.Click(kAutocommitCheckBox);
  for (const char* sql : {"create temp table lost_t (id integer)", "select pg_backend_pid() as pid"}) {
    h.ui.SetText(kSqlEditor, sql);
    h.Click(kRunButton);
  }
  OdbcLayer admin;
  admin.OpenEnvironment();
  ASSERT_TRUE(testing::ConnectTo(admin, source));
  ASSERT_TRUE(admin.ExecuteQuery("select pg_terminate_backend(" + h.grid.CellText(0, 0) + ")")) << admin.LastError();
  h.Click(kRunButton);
  EXPECT_NE(h.ui.messages.back().find("the database rolls back 1 statement"), std::string::npos)
      << h.ui.messages.back();
  EXPECT_EQ(h.state.transaction.pending, 0);
}

}  // namespace
}  // namespace zuno
