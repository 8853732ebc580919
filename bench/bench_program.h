// The running program as the in-process cases drive it: started as at the
// process entry, its Main Window drawn, its handlers given the benchmark's
// dialog answers.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "app/startup.h"
#include "bench/answering_ui.h"

namespace zuno::bench {

class BenchProgram {
 public:
  // Start-up as the program does it (InitToolkit has run), then waits until
  // the Main Window is drawn and the loop is quiet.
  BenchProgram();

  Program& program() { return *program_; }
  GtkShell& shell() { return program_->shell; }
  AnsweringUi& ui() { return ui_; }
  // What the handlers are given: the program's state, result pages, loop and
  // database with the answering window interface.
  Session& session() { return session_; }

  // Types the data source, user and password into their fields and runs the
  // Connect handler; false (with the reason on stderr) when no connection
  // was made.
  bool Connect(std::string_view dsn, std::string_view user, std::string_view password);

 private:
  std::unique_ptr<Program> program_;
  AnsweringUi ui_;
  JobRunner jobs_;
  Session session_;
};

// Notes the end of the first draw of the Main Window with rows in the grid
// of the page in front, from its construction on: a run opens a page of its
// own, so no one grid's view can be watched before the run.
class RowsDrawnWatch {
 public:
  // onDrawn, when given, runs at that moment (on the windows' thread).
  explicit RowsDrawnWatch(BenchProgram& b, std::function<void()> onDrawn = nullptr);
  ~RowsDrawnWatch();
  RowsDrawnWatch(const RowsDrawnWatch&) = delete;
  RowsDrawnWatch& operator=(const RowsDrawnWatch&) = delete;

  double drawnAt() const { return drawnAt_; }  // NowMs(); 0 until then
  // Runs the main loop until rows have been drawn; false after timeoutMs.
  bool Wait(int timeoutMs);

 private:
  static gboolean OnDraw(GtkWidget*, cairo_t*, gpointer self);

  BenchProgram& b_;
  std::function<void()> onDrawn_;
  gulong handler_;
  double drawnAt_ = 0;
};

}  // namespace zuno::bench
