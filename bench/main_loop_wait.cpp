#include "bench/main_loop_wait.h"

#include "bench/samples.h"

namespace zuno::bench {

bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
  const double deadline = NowMs() + timeoutMs;
  // A wake-up now and then, so the deadline is seen with nothing else to do.
  guint wake = g_timeout_add(10, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  while (!done() && NowMs() < deadline) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(wake);
  return done();
}

void Settle(int quietMs) {
  while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
  const double end = NowMs() + quietMs;
  RunUntil([end] { return NowMs() >= end; }, quietMs + 1000);
}

DrawWatch::DrawWatch(GtkWidget* widget)
    : widget_(widget), handler_(g_signal_connect_after(widget, "draw", G_CALLBACK(OnDraw), this)) {}

DrawWatch::~DrawWatch() { g_signal_handler_disconnect(widget_, handler_); }

bool DrawWatch::Wait(int timeoutMs) {
  return RunUntil([this] { return drawn(); }, timeoutMs);
}

gboolean DrawWatch::OnDraw(GtkWidget*, cairo_t*, gpointer self) {
  auto* watch = static_cast<DrawWatch*>(self);
  if (watch->drawnAt_ == 0) watch->drawnAt_ = NowMs();
  return FALSE;
}

}  // namespace zuno::bench
