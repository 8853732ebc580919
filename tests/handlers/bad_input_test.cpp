// What the database may hand over that a user would not type: values of
// megabytes, results of a thousand columns, a connection that goes away.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "db/driver_failure.h"
#include "grid/cell_text.h"
#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"

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

// Under a memory budget a value longer than its share is read only in part:
// the cell shows the part with a mark and keeps no value to write.
TEST_F(BadInputTest, AValueOfFiftyMegabytesUnderABudgetIsReadInPartAndMarked) {
  testing::TempDir proc;
  h.state.memoryFiles = {proc.File("meminfo"), proc.File("cgroup"), proc.File("fs")};
  testing::WriteFileBytes(proc.File("meminfo"), "MemAvailable: 204800 kB\n");  // a budget of 100 MB
  Run("select repeat('ab', 25 * 1024 * 1024) as big, 'small' as small");
  ASSERT_TRUE(h.ui.messages.empty()) << h.ui.messages.front();
  ASSERT_EQ(h.grid.RowCount(), 1);
  const std::string cell = h.grid.CellText(0, 0);
  EXPECT_LT(cell.size(), 10u * 1024 * 1024);
  EXPECT_GT(cell.size(), 64u * 1024);
  EXPECT_EQ(cell.substr(0, 4), "abab");
  EXPECT_TRUE(cell.ends_with(kCutShortMarker)) << cell.substr(cell.size() - 8);
  EXPECT_EQ(h.grid.Rows().Value(0, 0).kind, ValueKind::Unread);
  EXPECT_EQ(h.grid.CellText(0, 1), "small");
  EXPECT_EQ(h.grid.Rows().Value(0, 1).kind, ValueKind::Text);
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
  h.ui.SetText(kDataSourceBox, testing::PgPlain().dsn);
  h.ui.SetText(kUserField, testing::PgPlain().user);
  h.ui.SetText(kPasswordField, testing::PgPlain().password);
  h.Click(kConnectButton);
  ASSERT_TRUE(h.ui.IsEnabled(kRunButton));

  // Another session ends this one's server process once its statement runs
  // there, as a server that goes away does.
  constexpr std::string_view kSleep = "select pg_sleep(30) as slept";
  OdbcLayer admin;
  ASSERT_TRUE(admin.OpenEnvironment());
  ASSERT_TRUE(testing::ConnectTo(admin, testing::PgPlain()));
  std::atomic<bool> killed{false};
  std::thread killer([&] {
    const std::string running = " from pg_stat_activity where state = 'active' and pid <> pg_backend_pid() and query = '" +
                                std::string(kSleep) + "'";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(25);
    while (!(admin.ExecuteQuery("select count(*)" + running) && admin.NextRow() && admin.GetText(0) == "1") &&
           std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    killed = admin.ExecuteQuery("select pg_terminate_backend(pid)" + running);
  });
  h.ui.SetText(kSqlEditor, std::string(kSleep));
  h.Click(kRunButton);
  killer.join();
  ASSERT_TRUE(killed) << admin.LastError();
  ASSERT_EQ(h.ui.messages.size(), 1u);
  // The window shows it as after a failed Connect.
  EXPECT_NE(h.ui.messages[0].find(kConnectionGone), std::string::npos) << h.ui.messages[0];
  EXPECT_EQ(h.grid.ColumnCount(), 0);
  EXPECT_TRUE(h.ui.ListItems(kHistoryList).empty());
  EXPECT_FALSE(h.state.connected);
  EXPECT_EQ(h.ui.Text(kConnectionStatusText), "not connected");
  EXPECT_EQ(h.ui.titles[WindowId::Main], "ZUNO");
  for (Control c : {kRunButton, kCatalogButton, kCreatorsButton, kLastCreatorButton, kSaveReportButton,
                    kSaveLoadQueryButton})
    EXPECT_FALSE(h.ui.IsEnabled(c)) << c;

  // A statement run meanwhile (the Autorun Timer) says there is no
  // connection; a new Connect works.
  Run("select 1");
  ASSERT_EQ(h.ui.messages.size(), 2u);
  EXPECT_NE(h.ui.messages[1], "");
  h.Click(kConnectButton);
  EXPECT_EQ(h.ui.Text(kConnectionStatusText), "DBALIAS: " + testing::PgPlain().dsn);
  Run("select 1 as one");
  EXPECT_EQ(h.grid.RowCount(), 1);
}

}  // namespace
}  // namespace zuno
