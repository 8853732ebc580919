#include "bench/bench_program.h"

#include <cstdio>
#include <utility>

#include "app/connect_handler.h"
#include "bench/main_loop_wait.h"
#include "bench/samples.h"

namespace zuno::bench {

BenchProgram::BenchProgram()
    : program_(StartProgram()),
      ui_(program_->shell),
      jobs_(program_->shell, ui_, program_->loop),
      session_{program_->state, ui_, program_->grid, program_->loop, program_->db, jobs_, &program_->pages} {
  DrawWatch drawn(program_->shell.mainWindow());
  if (!drawn.Wait(10000)) Fail("the Main Window was not drawn");
  Settle(200);
}

bool BenchProgram::Connect(std::string_view dsn, std::string_view user, std::string_view password) {
  shell().SetText(kDataSourceBox, dsn);
  shell().SetText(kUserField, user);
  shell().SetText(kPasswordField, password);
  ui_.messages.clear();
  OnConnectClicked(session_);
  Settle(100);
  if (program_->db.Connected()) return true;
  std::fprintf(stderr, "bench: no connection to %.*s: %s\n", static_cast<int>(dsn.size()), dsn.data(),
               ui_.messages.empty() ? "" : ui_.messages.back().c_str());
  return false;
}

RowsDrawnWatch::RowsDrawnWatch(BenchProgram& b, std::function<void()> onDrawn)
    : b_(b),
      onDrawn_(std::move(onDrawn)),
      handler_(g_signal_connect_after(b.shell().mainWindow(), "draw", G_CALLBACK(OnDraw), this)) {}

RowsDrawnWatch::~RowsDrawnWatch() { g_signal_handler_disconnect(b_.shell().mainWindow(), handler_); }

bool RowsDrawnWatch::Wait(int timeoutMs) {
  if (drawnAt_ == 0) gtk_widget_queue_draw(b_.shell().mainWindow());
  return RunUntil([this] { return drawnAt_ > 0; }, timeoutMs);
}

gboolean RowsDrawnWatch::OnDraw(GtkWidget*, cairo_t*, gpointer self) {
  auto* w = static_cast<RowsDrawnWatch*>(self);
  if (w->drawnAt_ > 0 || w->b_.session().grid.RowCount() == 0) return FALSE;
  w->drawnAt_ = NowMs();
  if (w->onDrawn_) w->onDrawn_();
  return FALSE;
}

}  // namespace zuno::bench
