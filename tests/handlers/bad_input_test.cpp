// What the database may hand over that a user would not type: values of
// megabytes, results of a thousand columns, a connection that goes away.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"

namespace zuno {
namespace {

using testing::HandlerHarness;

struct BadInputTest : ::testing::Test {
  HandlerHarness h;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    h.ui.SetText(kRowsToFetchBox, "50");
    ASSERT_TRUE(testing::ConnectTo(h.db, testing::PgPlain()));
  }
  void Run(const std::string& text) {
    h.ui.SetText(kSqlEditor, text);
    RunStatement(h.session);
  }
};

TEST_F(BadInputTest, AValueOfTenMegabytesIsShownWhole) {
  Run("select repeat('ab', 5 * 1024 * 1024) as big, cast(null as integer) as n");
  ASSERT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  ASSERT_EQ(h.grid.RowCount(), 1);
  std::string big = h.grid.CellText(0, 0);
  EXPECT_EQ(big.size(), 10u * 1024 * 1024);
  EXPECT_EQ(big.substr(big.size() - 4), "abab");
  EXPECT_EQ(h.grid.CellText(0, 1), "       Null");
}

TEST_F(BadInputTest, AThousandColumnsFillTheGrid) {
  std::string sql = "select ";
  for (int c = 1; c <= 1000; ++c) sql += (c > 1 ? ", " : "") + std::to_string(c) + " as c" + std::to_string(c);
  Run(sql);
  ASSERT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  ASSERT_EQ(h.grid.ColumnCount(), 1000);
  EXPECT_EQ(h.grid.ColumnTitle(999), "c1000");
  EXPECT_EQ(h.grid.CellText(0, 999), "       1000");
}

TEST_F(BadInputTest, AConnectionLostDuringAStatementIsReportedAndTheProgramGoesOn) {
  // Another session ends this one's server process while its statement runs.
  OdbcLayer admin;
  ASSERT_TRUE(admin.OpenEnvironment());
  ASSERT_TRUE(testing::ConnectTo(admin, testing::PgPlain()));
  std::thread killer([&admin] {
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    admin.ExecuteQuery(
        "select pg_terminate_backend(pid) from pg_stat_activity"
        " where query like 'select pg_sleep(10)%' and pid <> pg_backend_pid()");
  });
  Run("select pg_sleep(10) as slept");
  killer.join();
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_NE(h.ui.messages[0], "");
  EXPECT_EQ(h.grid.ColumnCount(), 0);
  EXPECT_TRUE(h.ui.ListItems(kHistoryList).empty());

  // The next statement fails with the driver's text; a new Connect works.
  Run("select 1");
  EXPECT_EQ(h.ui.messages.size(), 2u);
  ASSERT_TRUE(testing::ConnectTo(h.db, testing::PgPlain()));
  Run("select 1 as one");
  EXPECT_EQ(h.grid.RowCount(), 1);
}

}  // namespace
}  // namespace zuno
