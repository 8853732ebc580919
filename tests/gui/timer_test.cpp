#include <gtest/gtest.h>

#include <cmath>

#include "tests/gui/gui_harness.h"

namespace zuno {
namespace {

using testing::RunFor;
using testing::RunUntil;
using testing::StartAndShow;

bool Orange(GtkShell& shell) {
  return gtk_style_context_has_class(gtk_widget_get_style_context(shell.outer(kTimerSecondsField)),
                                     "autorun-running");
}

GdkRGBA Background(GtkWidget* w) {
  GdkRGBA c{};
  GtkStyleContext* style = gtk_widget_get_style_context(w);
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  gtk_style_context_get_background_color(style, gtk_style_context_get_state(style), &c);
  G_GNUC_END_IGNORE_DEPRECATIONS
  return c;
}

struct TimerRun {
  std::unique_ptr<Program> p = StartAndShow();
  int runs = 0;
  TimerRun() { p->dispatcher.handlers().runStatement = [this] { ++runs; }; }
  void Switch(const char* seconds, bool on) {
    GtkShell& shell = p->shell;
    shell.SetText(kTimerSecondsField, seconds);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(shell.inner(kTimerCheckBox)), !on);
    gtk_button_clicked(GTK_BUTTON(shell.inner(kTimerCheckBox)));  // toggles, then reports the click
    ASSERT_EQ(shell.IsChecked(kTimerCheckBox), on);
  }
};

TEST(AutorunTimerGuiTest, ZeroOrEmptySecondsRunNothingButTheFieldTurnsOrange) {
  for (const char* seconds : {"0", ""}) {
    TimerRun t;
    t.Switch(seconds, true);
    EXPECT_FALSE(t.p->shell.timerRunning()) << '"' << seconds << '"';
    EXPECT_TRUE(Orange(t.p->shell));
    // The style is applied with the next frames (the theme fades it in).
    EXPECT_TRUE(RunUntil([&] {
      GdkRGBA bg = Background(t.p->shell.outer(kTimerSecondsField));
      return std::abs(bg.red - 1.0) < 0.01 && std::abs(bg.green - 128 / 255.0) < 0.01 && bg.blue < 0.01;
    }, 3000)) << "the field is not orange";
    RunFor(1200);
    EXPECT_EQ(t.runs, 0);
  }
}

TEST(AutorunTimerGuiTest, TicksRunTheStatementUntilUncheckedThenNoneFollow) {
  TimerRun t;
  t.Switch("1", true);
  EXPECT_TRUE(t.p->shell.timerRunning());
  ASSERT_TRUE(RunUntil([&] { return t.runs >= 2; }, 5000));
  t.Switch("1", false);
  EXPECT_FALSE(t.p->shell.timerRunning());
  EXPECT_FALSE(Orange(t.p->shell));
  int seen = t.runs;
  RunFor(1500);
  EXPECT_EQ(t.runs, seen);
}

TEST(AutorunTimerGuiTest, TwoSecondPeriodTicksAtTwoSeconds) {
  TimerRun t;
  // Taken before the timer starts: a timeout never fires before its period
  // is over, however slow the machine, so the bound below holds for a
  // period of 2 s and fails for one of 1 s. (GLib counts in milliseconds.)
  const gint64 start = g_get_monotonic_time();
  t.Switch("2", true);
  ASSERT_TRUE(RunUntil([&] { return t.runs >= 1; }, 10000));
  EXPECT_GE(g_get_monotonic_time() - start, 1999 * 1000);
  t.Switch("2", false);
}

}  // namespace
}  // namespace zuno
