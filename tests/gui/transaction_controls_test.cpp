// The transaction controls on screen: the Autocommit check box, Commit and
// Rollback with their keys, the Transaction text counting on, the title.
#include <gtest/gtest.h>

#include "tests/gui/gui_harness.h"
#include "tests/support/data_sources.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::RunUntil;

// The program in directories of its own, its options file too.
struct TransactionControlsTest : ::testing::Test {
  testing::TempDir home;
  testing::ScopedEnv env{"HOME", home.path().c_str()};
  testing::ScopedEnv config{"XDG_CONFIG_HOME", home.File(".config").c_str()};
  testing::ScopedCwd cwd{home.path()};
  std::unique_ptr<Program> p = testing::StartAndShow();
  testing::MessageBoxAnswerer answers;

  std::string Text() const { return p->shell.Text(kTransactionText); }
  std::string Title() const { return gtk_window_get_title(GTK_WINDOW(p->shell.mainWindow())); }
  void Click(Control c) { gtk_button_clicked(GTK_BUTTON(p->shell.inner(c))); }
  void Run(const std::string& sql) {
    p->shell.SetText(kSqlEditor, sql);
    Click(kRunButton);
  }
  // Alt and the button's letter; the button is pressed a moment later.
  void Press(guint key) {
    ASSERT_TRUE(gtk_window_mnemonic_activate(GTK_WINDOW(p->shell.mainWindow()), key, GDK_MOD1_MASK));
    ASSERT_TRUE(RunUntil([&] { return !p->state.transaction.Open(); }));
  }
};

TEST_F(TransactionControlsTest, TheTextAndTheButtonsFollowTheTransaction) {
  ZUNO_REQUIRE_FIXTURES();
  EXPECT_FALSE(gtk_widget_is_sensitive(p->shell.inner(kCommitButton)));
  ASSERT_TRUE(testing::ConnectTo(p->db, testing::PgPlain()));
  p->state.connected = true;
  Run("create temp table tx_gui (id integer)");
  const std::string title = Title();
  Click(kAutocommitCheckBox);  // off
  EXPECT_TRUE(gtk_widget_is_sensitive(p->shell.inner(kRollbackButton)));

  Run("insert into tx_gui values (1)");
  EXPECT_EQ(Text().rfind("uncommitted: 1 statement, open 0:0", 0), 0u) << Text();
  EXPECT_EQ(Title().rfind("*" + title + " - uncommitted: 1 statement, open 0:0", 0), 0u) << Title();
  EXPECT_TRUE(RunUntil([&] { return Text().find("open 0:00") == std::string::npos; })) << "the time stands";
  Press(GDK_KEY_b);  // Rollback
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Title(), title);
  Run("select 1");
  EXPECT_EQ(Text().rfind("transaction open 0:0", 0), 0u) << "a query opens it: " << Text();
  Press(GDK_KEY_m);  // Commit

  Click(kAutocommitCheckBox);  // on again
  EXPECT_FALSE(gtk_widget_is_sensitive(p->shell.inner(kCommitButton)));
  Run("select 1");
  EXPECT_EQ(Text(), "");
}

TEST_F(TransactionControlsTest, AutocommitOffIsKeptForTheNextStart) {
  Click(kAutocommitCheckBox);
  ASSERT_FALSE(p->state.transaction.autocommit);
  p.reset();
  p = testing::StartAndShow();
  EXPECT_FALSE(p->shell.IsChecked(kAutocommitCheckBox));
  EXPECT_FALSE(p->db.Autocommit());
}

}  // namespace
}  // namespace zuno
