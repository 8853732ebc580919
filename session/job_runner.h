// The one way long work runs. A handler prepares plain values on the
// windows' thread, the runner does the work on a worker thread, and the
// handler applies the outcome on the windows' thread again. The work gets
// only those values and the ODBC layer or a child process: never the
// windows, the grid or the state record.
#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <type_traits>
#include <utility>

#include "session/event_loop.h"
#include "session/job_host.h"
#include "session/ui.h"

namespace zuno {

enum class BusyWindow { Shown, Hidden };

// A long action that holds the windows while it runs.
struct Job {
  // On a worker. What it throws becomes a message and the apply is skipped.
  std::function<void()> work{};
  // On the windows' thread while the work runs, each time the work calls
  // JobRunner::Wake, and once after it has ended, before the apply: where a
  // work's first results are shown. What it throws cancels the work and
  // becomes a message, and the apply is skipped.
  std::function<void()> progress{};
  // On the windows' thread once the work has finished, the busy window still
  // open; its messages go through JobRunner::Tell.
  std::function<void()> apply{};
  // Escape (or the busy window's close box) while the work runs, on the
  // windows' thread; it must be safe beside the work. None: Escape does
  // nothing.
  std::function<void()> cancel{};
  BusyWindow busy = BusyWindow::Shown;
};

class JobRunner {
 public:
  // ui shows the runner's messages; host and ui are the same windows in the
  // program and may differ where the dialogs are answered by other means.
  JobRunner(JobHost& host, Ui& ui, EventLoop& loop);
  ~JobRunner();  // waits for the background work still running
  JobRunner(const JobRunner&) = delete;
  JobRunner& operator=(const JobRunner&) = delete;

  // Runs the job to its end. The work starts at once on the worker while the
  // busy window (if shown) comes up; the windows stay painted and take no
  // input meanwhile; the busy window is closed when the apply is done. False
  // when the work or the apply threw: the message has then been shown.
  bool Run(Job job);

  // From the work: the job's progress runs soon on the windows' thread.
  void Wake() { host_.Wake(); }
  // From the progress: its results show, so the busy window gives way to
  // them (JobHost::GiveWayToResult) until the job ends.
  void GiveWay();

  // The one order of a message and the busy window: the busy window closes
  // first, so that the message box never stands behind it.
  void Tell(std::string_view message);

  // Background work that never holds the windows: the user goes on typing.
  //   work(std::stop_token) -> Result   on a worker, plain values only
  //   apply(Result&)                    on the windows' thread, from their
  //                                     main loop, once no handler runs
  // A newer job of the same kind supersedes an older one: the older one's
  // stop token is set and its apply never runs. A work or an apply that
  // throws shows nothing: it is written to the program's error output, and
  // failed(what it threw) runs on the windows' thread instead, so that the
  // caller can end what it keeps count of. Work that is still running at the
  // end of the program is asked to stop and waited for, so it should look
  // at its stop token between steps. It must not share the ODBC handles
  // that modal jobs use.
  using Failed = std::function<void(const std::string&)>;
  template <class Work, class Apply>
  void RunInBackground(std::string kind, Work work, Apply apply, Failed failed = nullptr) {
    StartBackground(
        std::move(kind),
        [work = std::move(work), apply = std::move(apply)](std::stop_token stop) mutable -> std::function<void()> {
          using Result = std::invoke_result_t<Work&, std::stop_token>;
          auto result = std::make_shared<Result>(work(stop));
          return [apply, result] { apply(*result); };
        },
        std::move(failed));
  }

  // Background jobs started and not yet reaped (their threads not joined).
  std::size_t BackgroundRunning();

 private:
  struct Shared;
  struct Background;
  using BackgroundWork = std::function<std::function<void()>(std::stop_token)>;

  void StartBackground(std::string kind, BackgroundWork work, Failed failed);
  void OpenBusyWindow();
  void CloseBusyWindow();
  void ReapFinished();

  JobHost& host_;
  Ui& ui_;
  EventLoop& loop_;
  bool busyOpen_ = false;
  std::shared_ptr<Shared> shared_;
  std::list<Background> background_;
};

}  // namespace zuno
