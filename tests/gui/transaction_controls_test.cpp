// The transaction controls on screen: the Autocommit check box, Commit and
// Rollback with their keys, the indicator and the title's mark.
#include <gtest/gtest.h>

#include <string>

#include "tests/gui/gui_harness.h"
#include "tests/support/data_sources.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::RunUntil;

// The program in directories of its own, its options file too: the
// Autocommit choice it keeps reaches no other test.
struct TransactionControlsTest : ::testing::Test {
  testing::TempDir home;
  testing::TempDir work;
  testing::ScopedEnv env{"HOME", home.path().c_str()};
  testing::ScopedEnv config{"XDG_CONFIG_HOME", home.File(".config").c_str()};
  testing::ScopedCwd cwd{work.path()};
  std::unique_ptr<Program> p = testing::StartAndShow();
  testing::MessageBoxAnswerer answers;

  std::string Indicator() const { return p->shell.Text(kTransactionText); }
  GtkWidget* Widget(Control c) const { return p->shell.inner(c); }
  std::string Title() const { return gtk_window_get_title(GTK_WINDOW(p->shell.mainWindow())); }
  bool Usable(GtkWidget* w) const { return gtk_widget_is_sensitive(w) && gtk_widget_get_mapped(w); }
  void Run(const std::string& sql) {
    p->shell.SetText(kSqlEditor, sql);
    gtk_button_clicked(GTK_BUTTON(p->shell.inner(kRunButton)));
  }
  int Rows() {
    Run("select count(*) from tx_gui");
    return std::stoi(p->shell.grid().CellText(0, 0));
  }
  // Alt and the control's letter, as the window takes it; the button is
  // pressed a moment later, as it shows the press.
  void Press(guint key) {
    ASSERT_TRUE(gtk_window_mnemonic_activate(GTK_WINDOW(p->shell.mainWindow()), key, GDK_MOD1_MASK));
    ASSERT_TRUE(RunUntil([&] { return !p->state.transaction.Open(); }));
  }
};

TEST_F(TransactionControlsTest, TheIndicatorAndTheButtonsFollowTheTransaction) {
  ZUNO_REQUIRE_FIXTURES();
  GtkWidget* autocommit = Widget(kAutocommitCheckBox);
  ASSERT_TRUE(gtk_widget_get_mapped(autocommit));
  EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(autocommit)));
  EXPECT_FALSE(Usable(Widget(kCommitButton)));
  EXPECT_FALSE(Usable(Widget(kRollbackButton)));

  const testing::DataSource source = testing::PgPlain();
  p->shell.SetText(kDataSourceBox, source.dsn);
  p->shell.SetText(kUserField, source.user);
  p->shell.SetText(kPasswordField, source.password);
  gtk_button_clicked(GTK_BUTTON(p->shell.inner(kConnectButton)));
  ASSERT_TRUE(p->state.connected) << (answers.texts.empty() ? "" : answers.texts.back());
  Run("create temp table tx_gui (id integer)");
  const std::string title = Title();

  gtk_button_clicked(GTK_BUTTON(autocommit));  // off
  EXPECT_FALSE(p->state.transaction.autocommit);
  EXPECT_TRUE(Usable(Widget(kCommitButton)));
  EXPECT_TRUE(Usable(Widget(kRollbackButton)));
  EXPECT_EQ(Indicator(), "");

  Run("insert into tx_gui values (1)");
  EXPECT_EQ(Indicator().rfind("uncommitted: 1 statement, open 0:0", 0), 0u) << Indicator();
  EXPECT_EQ(Title().rfind("*" + title + " - uncommitted: 1 statement, open 0:0", 0), 0u) << Title();
  // The open time counts on by itself.
  EXPECT_TRUE(RunUntil([&] { return Indicator().find("open 0:00") == std::string::npos; }, 5000)) << Indicator();

  Press(GDK_KEY_b);  // Rollback
  EXPECT_EQ(Indicator(), "");
  EXPECT_EQ(Title(), title);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Indicator().rfind("transaction open 0:0", 0), 0u) << "a query opens it: " << Indicator();

  Run("insert into tx_gui values (2)");
  gtk_button_clicked(GTK_BUTTON(Widget(kCommitButton)));
  EXPECT_EQ(Indicator(), "");
  Run("insert into tx_gui values (3)");
  Press(GDK_KEY_m);  // Commit
  EXPECT_EQ(Indicator(), "");
  EXPECT_EQ(Rows(), 2);

  gtk_button_clicked(GTK_BUTTON(autocommit));  // on again
  EXPECT_TRUE(p->state.transaction.autocommit);
  EXPECT_FALSE(Usable(Widget(kCommitButton)));
  EXPECT_EQ(Indicator(), "");
  EXPECT_TRUE(testing::TakeToolkitWarnings().empty());
}

TEST_F(TransactionControlsTest, AutocommitOffIsKeptForTheNextStart) {
  gtk_button_clicked(GTK_BUTTON(Widget(kAutocommitCheckBox)));
  ASSERT_FALSE(p->state.transaction.autocommit);
  p.reset();
  p = testing::StartAndShow();
  EXPECT_FALSE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(Widget(kAutocommitCheckBox))));
  EXPECT_FALSE(p->db.Autocommit());
}

}  // namespace
}  // namespace zuno
