// Long statements and external programs run while the windows keep
// painting; Escape in the busy window cancels a statement.
#include <gtest/gtest.h>

#include <filesystem>

#include "catalog/catalog_list_fill.h"
#include "tests/gui/gui_harness.h"
#include "tests/support/data_sources.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using testing::MessageBoxAnswerer;
using testing::RunUntil;
using testing::StartAndShow;

// Calls what at the given time after the start of the loop it runs in, or,
// given asked, once asked says yes, asking at that interval.
class Later {
 public:
  Later(int ms, std::function<void()> what, std::function<bool()> asked = nullptr)
      : what_(std::move(what)), asked_(std::move(asked)) {
    source_ = g_timeout_add(static_cast<guint>(ms), &Later::Fire, this);
  }
  ~Later() {
    if (source_) g_source_remove(source_);
  }

 private:
  static gboolean Fire(gpointer self) {
    auto* later = static_cast<Later*>(self);
    if (later->asked_ && !later->asked_()) return G_SOURCE_CONTINUE;
    later->source_ = 0;
    later->what_();
    return G_SOURCE_REMOVE;
  }
  std::function<void()> what_;
  std::function<bool()> asked_;
  guint source_ = 0;
};

// How long the window takes to draw after it was told to, in microseconds.
gint64 RedrawDelay(GtkWidget* window) {
  gint64 asked = g_get_monotonic_time();
  gint64 drawn = 0;
  gulong id = g_signal_connect_after(window, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer at) -> gboolean {
                                       *static_cast<gint64*>(at) = g_get_monotonic_time();
                                       return FALSE;
                                     }),
                                     &drawn);
  gtk_widget_queue_draw(window);
  RunUntil([&] { return drawn != 0; }, 2000);
  g_signal_handler_disconnect(window, id);
  return drawn == 0 ? G_MAXINT64 : drawn - asked;
}

// The window manager's close request, as its close box sends it.
void RequestClose(GtkWidget* window) {
  GdkEvent* e = gdk_event_new(GDK_DELETE);
  e->any.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
  e->any.send_event = TRUE;
  gdk_event_put(e);
  gdk_event_free(e);
}

void PressEscape(GtkWidget* window) {
  ASSERT_NE(window, nullptr);
  gdk_test_simulate_key(gtk_widget_get_window(window), -1, -1, GDK_KEY_Escape, GdkModifierType(0), GDK_KEY_PRESS);
}

struct LongWorkTest : ::testing::Test {
  std::unique_ptr<Program> p;
  int runs = 0;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    p = StartAndShow();
    ASSERT_TRUE(testing::ConnectTo(p->db, testing::PgPlain()));
    testing::CountStatementRuns(*p, runs);
  }
  void ClickRun() { p->loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick)); }
};

TEST_F(LongWorkTest, TheWindowsPaintAndTakeNoClicksWhileAStatementRuns) {
  MessageBoxAnswerer answers;
  p->shell.SetText(kSqlEditor, "select pg_sleep(3)");
  gint64 delay = -1;
  bool busyShown = false;
  Later probe(800, [&] {
    delay = RedrawDelay(p->shell.mainWindow());
    busyShown = p->shell.busyWindow() && gtk_widget_get_mapped(p->shell.busyWindow());
    ClickRun();  // reaches no handler
  });
  ClickRun();
  EXPECT_GE(delay, 0) << "the probe did not run during the statement";
  // A blocked window would not draw until the 3-second statement ended; the
  // bound leaves room for a loaded machine.
  EXPECT_LT(delay, 1000 * 1000) << "the Main Window was not painted for " << delay / 1000 << " ms";
  EXPECT_TRUE(busyShown);
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(answers.texts.empty()) << answers.texts.front();
  EXPECT_EQ(p->grid.RowCount(), 1);
}

TEST_F(LongWorkTest, EscapeCancelsARunningStatement) {
  MessageBoxAnswerer answers;
  p->shell.SetText(kSqlEditor, "select pg_sleep(20)");
  gint64 pressed = 0;
  Later escape(1000, [&] {
    pressed = g_get_monotonic_time();
    PressEscape(p->shell.busyWindow());
  });
  gint64 started = g_get_monotonic_time();
  ClickRun();
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_NE(answers.texts[0].find("canceling statement due to user request"), std::string::npos) << answers.texts[0];
  EXPECT_LT(answers.seenAt[0] - pressed, 3 * 1000 * 1000);  // the statement itself would take 20 s
  EXPECT_LT(g_get_monotonic_time() - started, 10 * 1000 * 1000);
  EXPECT_EQ(p->grid.ColumnCount(), 0);
  EXPECT_EQ(p->shell.busyWindow(), nullptr);
}

TEST_F(LongWorkTest, EscapeCancelsALongCatalogList) {
  MessageBoxAnswerer answers;
  Later escape(1000, [&] { PressEscape(p->shell.busyWindow()); });
  gint64 started = g_get_monotonic_time();
  FillCatalogList(p->session, "select 'SCHEMA' as tabschema, pg_sleep(30) as slow", Reselect::LastDrilledRow);
  ASSERT_EQ(answers.texts.size(), 1u);
  EXPECT_NE(answers.texts[0].find("canceling statement"), std::string::npos) << answers.texts[0];
  EXPECT_LT(g_get_monotonic_time() - started, 10 * 1000 * 1000);  // the list would take 30 s
  EXPECT_EQ(p->grid.RowCount(), 0);
}

// Every row asked for, read 100 a fetch, those after the first hundred 5 ms
// apart: the first rows are shown while the rest come, the busy window gives
// way to them and the grid takes the keys; Escape there, pressed once the
// program waits for more rows, stops the fetch (the driver ends the block it
// is filling first); the rows read by then are shown and counted.
struct LongFetchTest : LongWorkTest, ::testing::WithParamInterface<int> {};

TEST_P(LongFetchTest, EscapeStopsALongFetchOfEveryRow) {
  const int kRows = GetParam();
  ASSERT_TRUE(testing::ConnectTo(p->db, testing::PgCursor()));
  OdbcLayer server;
  ASSERT_TRUE(server.OpenEnvironment());
  ASSERT_TRUE(testing::ConnectTo(server, testing::PgPlain()));
  auto rowsArriving = [&] {
    const bool waiting =
        server.ExecuteQuery("select count(*) from pg_stat_activity where pid <> pg_backend_pid()"
                            " and wait_event = 'PgSleep' and query ilike 'fetch%'") &&
        server.NextRow() && server.GetText(0) == "1";
    server.FinishQuery();
    return waiting && p->grid.RowCount() > 0;
  };

  MessageBoxAnswerer answers;
  std::string columns;
  for (int c = 0; c < 60; ++c) columns += (c ? ", g + " : "g + ") + std::to_string(c) + " as c" + std::to_string(c);
  p->shell.SetText(kSqlEditor, "select " + columns + ", g > 100 and pg_sleep(0.005) is null as late from generate_series(1, " +
                                   std::to_string(kRows) + ") g");
  p->shell.SetText(kRowsToFetchBox, "0");
  gint64 pressed = 0;
  int shownBeforeEscape = 0;
  bool busyBeforeEscape = true;
  std::string countBeforeEscape;
  Later escape(
      20,
      [&] {
        pressed = g_get_monotonic_time();
        shownBeforeEscape = p->grid.RowCount();
        busyBeforeEscape = p->shell.busyWindow() != nullptr;
        countBeforeEscape = p->shell.Text(kRowCountText);
        PressEscape(p->shell.mainWindow());
      },
      rowsArriving);
  ClickRun();
  ASSERT_GT(pressed, 0) << "the run ended before rows arrived";
  EXPECT_LT(g_get_monotonic_time() - pressed, 5 * 1000 * 1000) << "the fetch went on after Escape";
  EXPECT_GE(shownBeforeEscape, 100) << "no rows were shown while the fetch went on";
  EXPECT_FALSE(busyBeforeEscape) << "the busy window covers the rows shown";
  EXPECT_EQ(countBeforeEscape, "Row Count: " + std::to_string(shownBeforeEscape));
  EXPECT_EQ(p->shell.busyWindow(), nullptr);
  const int rows = p->grid.RowCount();
  EXPECT_TRUE(answers.texts.empty());  // the user knows of the cancel: a note tells the rest
  EXPECT_EQ(p->shell.notes().Text(), "Fetch cancelled. Rows shown: " + std::to_string(rows) + ".");
  EXPECT_EQ(p->shell.Text(kRowCountText), "Row Count: " + std::to_string(rows) + " (cancelled)");
  EXPECT_GE(rows, shownBeforeEscape) << "rows shown were lost";
  EXPECT_LT(rows, kRows) << "every row was read";
  const std::string last = p->grid.CellText(rows - 1, 0);  // right-aligned
  EXPECT_EQ(last.substr(last.find_first_not_of(' ')), std::to_string(rows)) << "the rows shown are not those read";
}

INSTANTIATE_TEST_SUITE_P(Rows, LongFetchTest, ::testing::Values(1000, 1000000),
                         [](const ::testing::TestParamInfo<int>& i) { return "Of" + std::to_string(i.param); });

TEST_F(LongWorkTest, ATimerTickDuringAStatementRunsOnceAfterIt) {
  MessageBoxAnswerer answers;
  p->shell.SetText(kSqlEditor, "select pg_sleep(3)");
  // The first run is slow; the one the tick starts is quick.
  auto run = p->dispatcher.handlers().runStatement;
  p->dispatcher.handlers().runStatement = [&, run] {
    run();
    p->shell.SetText(kSqlEditor, "select 1");
  };
  p->shell.StartAutorunTimer(2000);
  ClickRun();
  RunUntil([&] { return runs >= 2; }, 3000);
  p->shell.StopAutorunTimer();
  p->loop.DropTimerTicks();
  EXPECT_EQ(runs, 2);
  EXPECT_TRUE(answers.texts.empty());
}

// The toolkit drops a close request for a window outside the input grab the
// busy window holds; it is kept, and once the statement has finished the
// program ends (the Main Window's) or the library window closes (its own).
// The busy window's own close box cancels instead.
TEST(CloseDuringWorkTest, ACloseRequestDuringAStatementEndsTheProgramAfterItAndTheBusyWindowsCancels) {
  ZUNO_REQUIRE_FIXTURES();
  struct {
    const char* window;
    const char* sql;
    bool ends;
  } cases[] = {{"main", "select pg_sleep(1)", true},
               {"library", "select pg_sleep(1)", false},  // that window closes, the program stays
               {"busy", "select pg_sleep(60)", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    auto q = StartAndShow();
    ASSERT_TRUE(testing::ConnectTo(q->db, testing::PgPlain()));
    int ran = 0;
    testing::CountStatementRuns(*q, ran);
    MessageBoxAnswerer answers;
    q->shell.OpenLibraryWindow(Ui::LibraryForm::Library);
    q->shell.SetText(kSqlEditor, c.sql);
    const std::string window = c.window;
    Later close(300, [&] {
      RequestClose(window == "main" ? q->shell.mainWindow()
                   : window == "library" ? q->shell.libraryWindow()
                                         : q->shell.busyWindow());
    });
    q->loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(q->loop.Ended(), c.ends);
    EXPECT_EQ(q->shell.Text(kRowCountText) == "Row Count: 1", window != "busy");
    EXPECT_EQ(answers.texts.empty(), window != "busy");
  }
}

TEST_F(LongWorkTest, TheWindowsPaintWhileTheEditorIsOpen) {
  testing::TempDir work, bin;
  testing::ScopedCwd cwd(work.path());
  testing::WriteScript(bin.File("gedit"), "sleep 3\n");
  testing::ScopedEnv path("PATH", (bin.path() + ":/usr/bin:/bin").c_str());
  gint64 delay = -1;
  Later probe(1000, [&] { delay = RedrawDelay(p->shell.mainWindow()); });
  p->shell.SetText(kSqlEditor, "select 1");
  p->loop.Deliver(Event::ControlOf(WindowId::Main, kEditSqlButton, Action::LeftClick));
  EXPECT_GE(delay, 0);
  EXPECT_LT(delay, 1000 * 1000);  // the editor stays open for 3 s
  EXPECT_EQ(p->shell.Text(kSqlEditor), "select 1");
}

}  // namespace
}  // namespace zuno
