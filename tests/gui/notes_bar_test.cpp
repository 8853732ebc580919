// What only informs shows above the grid and stops nothing; a failure still
// waits in its message box.
#include <gtest/gtest.h>

#include "tests/gui/gui_harness.h"
#include "tests/support/data_sources.h"

namespace zuno {
namespace {

using testing::MessageBoxAnswerer;
using testing::RunUntil;
using testing::StartAndShow;

struct NotesBarTest : ::testing::Test {
  std::unique_ptr<Program> p;
  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    p = StartAndShow();
    ASSERT_TRUE(testing::ConnectTo(p->db, testing::PgPlain()));
  }
  void Run(const std::string& statement) {
    p->shell.SetText(kSqlEditor, statement);
    p->loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
  }
  GtkWidget* Bar() const { return p->shell.notes().widget(); }
};

TEST_F(NotesBarTest, ACappedRunSaysSoAboveTheGridWithoutAMessageBox) {
  MessageBoxAnswerer answers;
  p->shell.SetText(kRowsToFetchBox, "50");
  Run("select g from generate_series(1, 60) g");
  ASSERT_TRUE(RunUntil([&] { return gtk_widget_get_mapped(Bar()); }));
  EXPECT_EQ(p->shell.notes().Text(), "Limit of 50 rows reached!");
  EXPECT_EQ(p->grid.RowCount(), 50);
  EXPECT_TRUE(answers.texts.empty());
  // Over the grid, within the result area.
  EXPECT_LT(testing::PlaceInWindow(Bar()).y, testing::PlaceInWindow(p->shell.outer(kResultGrid)).y);

  Run("select 1");  // the next run closes it
  EXPECT_FALSE(gtk_widget_get_visible(Bar()));
  EXPECT_EQ(p->shell.notes().Text(), "");
}

TEST_F(NotesBarTest, AFailureStillWaitsInItsMessageBox) {
  MessageBoxAnswerer answers;
  Run("select * from no_such_table");
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_NE(answers.texts[0].find("no_such_table"), std::string::npos) << answers.texts[0];
  EXPECT_FALSE(gtk_widget_get_visible(Bar()));
}

}  // namespace
}  // namespace zuno
