// The Autorun Timer re-running a 50-row query many times leaves no
// descriptor or statement behind (the full-length soak is scripts/soak).
#include <gtest/gtest.h>

#include "tests/gui/gui_harness.h"
#include "tests/support/data_sources.h"
#include "tests/support/process_usage.h"

namespace zuno {
namespace {

TEST(SoakTest, TimerRunsOfAQueryLeaveNothingBehind) {
  ZUNO_REQUIRE_FIXTURES();
  auto p = testing::StartAndShow();
  testing::MessageBoxAnswerer answers;  // none is expected: the row limit is a note
  ASSERT_TRUE(testing::ConnectTo(p->db, testing::PgPlain()));
  p->shell.SetText(kSqlEditor, "select g as n, md5(g::text) as h, now() as at from generate_series(1, 50) g");
  int runs = 0;
  testing::CountStatementRuns(*p, runs);

  auto runTicks = [&](int ticks) {
    int until = runs + ticks;
    p->shell.StartAutorunTimer(50);
    testing::RunUntil([&] { return runs >= until; }, 60000);
    p->shell.StopAutorunTimer();
    p->loop.DropTimerTicks();
  };
  runTicks(5);  // the driver and the toolkit settle
  std::size_t descriptors = testing::OpenDescriptors();
  runTicks(40);

  EXPECT_GE(runs, 45);
  EXPECT_EQ(testing::OpenDescriptors(), descriptors);
  EXPECT_EQ(p->grid.RowCount(), 50);
  EXPECT_TRUE(answers.texts.empty());
  // Each run closed the note of the one before.
  EXPECT_EQ(p->shell.notes().Text(), "Limit of 50 rows reached!");
  EXPECT_EQ(p->shell.ListItems(kHistoryList).size(), 1u);
}

}  // namespace
}  // namespace zuno
