// Waiting on the toolkit's main loop for what the screen does, outside any
// timed span.
#pragma once

#include <gtk/gtk.h>

#include <functional>

namespace zuno::bench {

// Runs the main loop until done() holds or the time is up; returns done().
bool RunUntil(const std::function<bool()>& done, int timeoutMs);

// Runs the main loop until nothing is pending, then for quietMs more, so
// what a step left behind (a view taking its rows, a redraw) is over before
// the next timed span starts.
void Settle(int quietMs);

// Notes the next time a widget has been drawn, from its construction on.
class DrawWatch {
 public:
  explicit DrawWatch(GtkWidget* widget);
  ~DrawWatch();
  DrawWatch(const DrawWatch&) = delete;
  DrawWatch& operator=(const DrawWatch&) = delete;

  bool drawn() const { return drawnAt_ > 0; }
  double drawnAt() const { return drawnAt_; }  // NowMs() at the end of the first draw
  // Runs the main loop until the widget has been drawn; false after timeoutMs.
  bool Wait(int timeoutMs);

 private:
  static gboolean OnDraw(GtkWidget*, cairo_t*, gpointer self);

  GtkWidget* widget_;
  gulong handler_;
  double drawnAt_ = 0;
};

}  // namespace zuno::bench
