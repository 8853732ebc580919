#include "session/job_runner.h"

#include <atomic>
#include <map>
#include <mutex>

#include "session/caught_failure.h"

namespace zuno {
namespace {

// A background failure has no window to be told in: it goes to the error
// output, where it can be found afterwards.
void LogBackgroundFailure(const std::string& kind, const std::string& failure) {
  LogFailure("background work \"" + kind + "\"", failure);
}

}  // namespace

// What the background threads and the closures they post share with the
// runner: which job of each kind is the newest, and whether the runner is
// still there to apply anything.
struct JobRunner::Shared {
  std::mutex mutex;
  bool alive = true;
  std::map<std::string, std::uint64_t> newest;

  std::uint64_t Begin(const std::string& kind) {
    std::lock_guard lock(mutex);
    return ++newest[kind];
  }
  bool Newest(const std::string& kind, std::uint64_t generation) {
    std::lock_guard lock(mutex);
    return alive && newest[kind] == generation;
  }
  void End() {
    std::lock_guard lock(mutex);
    alive = false;
  }
};

struct JobRunner::Background {
  std::string kind;
  std::shared_ptr<std::atomic<bool>> finished;
  std::jthread thread;
};

JobRunner::JobRunner(JobHost& host, Ui& ui, EventLoop& loop)
    : host_(host), ui_(ui), loop_(loop), shared_(std::make_shared<Shared>()) {}

JobRunner::~JobRunner() {
  shared_->End();
  // Each jthread is asked to stop and joined as the list goes.
  background_.clear();
}

bool JobRunner::Run(Job job) {
  std::atomic<bool> done{false};
  std::string failure;
  // The thread starts before the busy window is shown: a short statement
  // does not wait for the window to come up.
  // Joined however the wait below ends, also when opening the busy window
  // or the wait throws: the work uses this frame's values.
  std::jthread worker([&] {
    failure = CaughtFailure(job.work);
    done = true;
    host_.Wake();
  });
  std::string progressFailure;
  // The progress runs at each look at the work, and not again once it failed.
  const auto progress = [&] {
    if (!job.progress || !progressFailure.empty()) return;
    progressFailure = CaughtFailure(job.progress);
    if (!progressFailure.empty() && job.cancel) CaughtFailure(job.cancel);
  };
  const std::string waitFailure = CaughtFailure([&] {
    if (job.busy == BusyWindow::Shown) OpenBusyWindow();
    host_.WaitUntil(
        [&] {
          progress();
          return done.load();
        },
        job.cancel);
  });
  if (!waitFailure.empty()) {
    // Without the wait the user cannot stop the work: it is asked to stop,
    // and its end awaited.
    LogFailure("waiting for the work", waitFailure);
    if (job.cancel) CaughtFailure(job.cancel);
  }
  worker.join();
  if (!waitFailure.empty()) failure = waitFailure;
  if (failure.empty()) progress();  // what the work handed on at its end
  if (failure.empty()) failure = progressFailure;

  if (failure.empty() && job.apply) failure = CaughtFailure(job.apply);
  if (!failure.empty()) Tell(failure);
  CloseBusyWindow();
  return failure.empty();
}

void JobRunner::Tell(std::string_view message) {
  CloseBusyWindow();
  ui_.ShowMessage(message);
}

void JobRunner::GiveWay() {
  host_.GiveWayToResult();
  busyOpen_ = false;
}

void JobRunner::OpenBusyWindow() {
  if (busyOpen_) return;
  host_.OpenBusyWindow();
  busyOpen_ = true;
}

void JobRunner::CloseBusyWindow() {
  if (!busyOpen_) return;
  host_.CloseBusyWindow();
  busyOpen_ = false;
}

void JobRunner::StartBackground(std::string kind, BackgroundWork work, Failed failed) {
  ReapFinished();
  const std::uint64_t generation = shared_->Begin(kind);
  for (Background& b : background_)
    if (b.kind == kind) b.thread.request_stop();

  auto finished = std::make_shared<std::atomic<bool>>(false);
  // The thread holds only what it shares with the runner by pointer: the
  // runner joins it before the host and the loop go.
  std::jthread thread([shared = shared_, kind, generation, work = std::move(work), failed = std::move(failed),
                       finished, host = &host_, loop = &loop_](std::stop_token stop) {
    std::function<void()> apply;
    const std::string workFailure = CaughtFailure([&] { apply = work(stop); });
    if (!workFailure.empty()) LogBackgroundFailure(kind, workFailure);
    if (!stop.stop_requested())
      host->Post([shared, kind, generation, loop, apply = std::move(apply), failed, workFailure] {
        if (!shared->Newest(kind, generation)) return;
        // A handler may be running (the busy window's wait turns the main
        // loop too): the apply waits for its end.
        loop->WhenIdle([shared, kind, generation, apply, failed, workFailure] {
          if (!shared->Newest(kind, generation)) return;
          // A work that failed has nothing to apply: only the caller's
          // bookkeeping ends.
          std::string failure = workFailure;
          if (failure.empty()) {
            failure = CaughtFailure(apply);
            if (!failure.empty()) LogBackgroundFailure(kind, failure);
          }
          if (!failure.empty() && failed) CaughtFailure([&] { failed(failure); });
        });
      });
    *finished = true;
  });
  background_.push_back(Background{std::move(kind), std::move(finished), std::move(thread)});
}

void JobRunner::ReapFinished() {
  background_.remove_if([](const Background& b) { return b.finished->load(); });
}

std::size_t JobRunner::BackgroundRunning() {
  ReapFinished();
  return background_.size();
}

}  // namespace zuno
