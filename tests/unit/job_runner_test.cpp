#include "session/job_runner.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>

#include "tests/support/memory_result_grid.h"
#include "tests/support/scripted_ui.h"

namespace zuno {
namespace {

using namespace std::chrono_literals;
using testing::MemoryResultGrid;
using testing::ScriptedUi;

struct JobRunnerTest : ::testing::Test {
  ScriptedUi ui;
  EventLoop loop;
  JobRunner jobs{ui, ui, loop};
};

TEST_F(JobRunnerTest, TheWorkRunsOnAnotherThreadAndTheApplyOnTheWindowsThread) {
  const std::thread::id windows = std::this_thread::get_id();
  std::thread::id worker, applier;
  bool busyDuringApply = false;
  EXPECT_TRUE(jobs.Run({.work = [&] { worker = std::this_thread::get_id(); },
                        .apply =
                            [&] {
                              applier = std::this_thread::get_id();
                              busyDuringApply = ui.busyOpen;
                            }}));
  EXPECT_NE(worker, windows);
  EXPECT_EQ(applier, windows);
  EXPECT_TRUE(busyDuringApply);
  EXPECT_EQ(ui.busyOpened, 1);
  EXPECT_FALSE(ui.busyOpen);
}

// What the work or the apply throws is told, the busy window closed first;
// a work that threw leaves nothing to apply, and the program goes on.
TEST_F(JobRunnerTest, AnythingThrownBecomesAMessageAfterTheBusyWindowCloses) {
  struct {
    const char* name;
    std::function<void()> work;
    std::function<void()> apply;
    const char* message;
  } cases[] = {
      {"error", [] { throw std::runtime_error("list too long"); }, nullptr, "list too long"},
      {"memory", [] { throw std::bad_alloc(); }, nullptr, "Out of memory!"},
      {"no exception type", [] { throw 42; }, nullptr, "The work stopped with an unknown error!"},
      {"in the apply", [] {}, [] { throw std::length_error("too many rows"); }, "too many rows"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedUi fresh;
    JobRunner runner(fresh, fresh, loop);
    bool applied = false;
    const bool ok = runner.Run({.work = c.work,
                                .apply =
                                    [&] {
                                      applied = true;
                                      if (c.apply) c.apply();
                                    }});
    EXPECT_FALSE(ok);
    EXPECT_EQ(fresh.messages, std::vector<std::string>{c.message});
    EXPECT_TRUE(fresh.messagesBehindBusyWindow.empty());
    EXPECT_EQ(applied, c.apply != nullptr);
    EXPECT_FALSE(fresh.busyOpen);
  }
}

TEST_F(JobRunnerTest, EscapeReachesTheCancelWhileTheWorkRunsAndAHiddenJobShowsNoBusyWindow) {
  ui.escapeAfter = 50ms;
  std::atomic<bool> stop = false;
  jobs.Run({.work =
                [&] {
                  while (!stop) std::this_thread::sleep_for(1ms);
                },
            .cancel = [&] { stop = true; },
            .busy = BusyWindow::Hidden});
  EXPECT_TRUE(stop);
  EXPECT_EQ(ui.busyOpened, 0);
  EXPECT_EQ(ui.cancellableWaits, 1);
}

// The scripted windows and the memory grid catch a work that touches them.
TEST_F(JobRunnerTest, TheTestWindowsFailATestThatTouchesThemFromTheWorker) {
  MemoryResultGrid grid;
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(jobs.Run({.work = [&] { ui.Text(kSqlEditor); }}),
                                         "the windows were called from a worker thread");
  EXPECT_NONFATAL_FAILURE_ON_ALL_THREADS(jobs.Run({.work = [&] { grid.RowCount(); }}),
                                         "the grid was called from a worker thread");
}

TEST_F(JobRunnerTest, ANewerBackgroundJobOfTheSameKindSupersedesTheOlderOnesApply) {
  std::vector<std::string> applied;
  std::atomic<bool> release = false;
  jobs.RunInBackground(
      "names",
      [&](std::stop_token stop) {
        while (!release && !stop.stop_requested()) std::this_thread::sleep_for(1ms);
        return std::string("old");
      },
      [&](std::string& r) { applied.push_back(r); });
  jobs.RunInBackground("names", [](std::stop_token) { return std::string("new"); },
                       [&](std::string& r) { applied.push_back(r); });
  jobs.RunInBackground("other", [](std::stop_token) { return 7; },
                       [&](int& r) { applied.push_back(std::to_string(r)); });
  release = true;
  for (int i = 0; i < 200 && applied.size() < 2; ++i) ui.RunPosted(10ms);
  std::sort(applied.begin(), applied.end());
  EXPECT_EQ(applied, (std::vector<std::string>{"7", "new"}));
  EXPECT_EQ(ui.busyOpened, 0);
}

// A background job that throws tells its caller on the windows' thread, so
// that what the caller counts as running ends, and shows no message.
TEST_F(JobRunnerTest, ABackgroundJobThatThrowsEndsThroughItsFailureCallback) {
  struct {
    const char* name;
    bool workThrows;
  } cases[] = {{"work", true}, {"apply", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::thread::id windows = std::this_thread::get_id();
    std::string failure;
    std::thread::id failedOn;
    jobs.RunInBackground(
        c.name,
        [&](std::stop_token) {
          if (c.workThrows) throw std::runtime_error("no catalog");
          return 1;
        },
        [](int&) { throw std::runtime_error("no catalog"); },
        [&](const std::string& what) {
          failure = what;
          failedOn = std::this_thread::get_id();
        });
    for (int i = 0; i < 200 && failure.empty(); ++i) ui.RunPosted(10ms);
    EXPECT_EQ(failure, "no catalog");
    EXPECT_EQ(failedOn, windows);
  }
  EXPECT_TRUE(ui.messages.empty());
}

// The apply waits for a handler that runs, as typing does not.
TEST_F(JobRunnerTest, ABackgroundApplyWaitsForTheHandlerThatRuns) {
  std::vector<std::string> order;
  loop.SetSink([&](const Event&) {
    jobs.RunInBackground("names", [](std::stop_token) { return 1; }, [&](int&) { order.push_back("applied"); });
    ui.RunPosted(5s);
    order.push_back("handler ends");
  });
  loop.Deliver(Event::ControlOf(WindowId::Main, kRunButton, Action::LeftClick));
  EXPECT_EQ(order, (std::vector<std::string>{"handler ends", "applied"}));
}

// A runner that goes while its background work still runs stops it, waits
// for it, and applies nothing later, not even what was already posted (the
// sanitizers catch a late use).
TEST(JobRunnerEndTest, BackgroundWorkStillRunningAtTheEndIsStoppedAndNeverApplied) {
  ScriptedUi ui;
  EventLoop loop;
  bool applied = false;
  std::atomic<bool> started = false, sawStop = false;
  {
    JobRunner jobs(ui, ui, loop);
    jobs.RunInBackground(
        "names",
        [&](std::stop_token stop) {
          started = true;
          while (!stop.stop_requested()) std::this_thread::sleep_for(1ms);
          sawStop = true;
          return 0;
        },
        [&](int&) { applied = true; });
    // One more that has finished and posted its apply before the end.
    jobs.RunInBackground("done", [](std::stop_token) { return 1; }, [&](int&) { applied = true; });
    while (!started || jobs.BackgroundRunning() > 1) std::this_thread::sleep_for(1ms);
  }
  EXPECT_TRUE(sawStop);
  ui.RunPosted(50ms);
  EXPECT_FALSE(applied);
}

}  // namespace
}  // namespace zuno
