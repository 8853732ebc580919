#include "bench/bench_program.h"

#include <cstdio>

#include "app/connect_handler.h"
#include "bench/main_loop_wait.h"
#include "bench/samples.h"

namespace zuno::bench {
namespace {

// A page's grid that is the window's grid.
class WindowGrid : public ForwardingGrid {
 public:
  explicit WindowGrid(ResultGrid& grid) : grid_(grid) {}

 protected:
  ResultGrid& Target() const override { return grid_; }

 private:
  ResultGrid& grid_;
};

}  // namespace

BenchProgram::BenchProgram()
    : program_(StartProgram()),
      ui_(program_->shell),
      jobs_(program_->shell, ui_, program_->loop),
      pages_([this] { return std::make_unique<WindowGrid>(program_->shell.grid()); }),
      session_{program_->state, ui_, grid_, program_->loop, program_->db, jobs_, &pages_} {
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

}  // namespace zuno::bench
