#include "session/event_loop.h"

#include <algorithm>

#include "session/caught_failure.h"

namespace zuno {
namespace {

bool IsTick(const Event& e) { return e.kind == EventKind::Timer; }
// A close request that ends the program; one on the library window only
// closes that window.
bool IsClose(const Event& e) { return e.kind == EventKind::Close && e.window != WindowId::Library; }
bool IsLibraryClose(const Event& e) { return e.kind == EventKind::Close && e.window == WindowId::Library; }

// What the user is told after a handler that threw; the program goes on.
std::string StoppedText(const std::string& failure) {
  return "The action stopped with an error: " + failure + "\nZUNO goes on; what the action did not finish is not done.";
}

// Set while a handler runs, and cleared however it ends.
class HandlingMark {
 public:
  explicit HandlingMark(bool& flag) : flag_(flag) { flag_ = true; }
  ~HandlingMark() { flag_ = false; }
  HandlingMark(const HandlingMark&) = delete;
  HandlingMark& operator=(const HandlingMark&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void EventLoop::Deliver(const Event& e) {
  // Called from the toolkit's callbacks: nothing may leave here.
  const std::string failure = CaughtFailure([&] {
    if (ended_) return;
    if (handling_) return Keep(e);
    Handle(e);
    HandleWaiting();
  });
  if (!failure.empty()) LogFailure("taking an event", failure);
}

// A tick that falls due while one already waits adds nothing: after a long
// handler the statement runs once, and the queue cannot grow for as long as
// the timer is on. A close request makes any waiting tick pointless.
void EventLoop::Keep(const Event& e) {
  if (IsTick(e)) {
    if (std::ranges::none_of(waiting_, [](const Event& w) { return IsTick(w) || IsClose(w); }))
      waiting_.push_back(e);
  } else if (IsClose(e)) {
    DropTimerTicks();
    if (std::ranges::none_of(waiting_, IsClose)) waiting_.push_back(e);
  } else if (IsLibraryClose(e)) {
    if (std::ranges::none_of(waiting_, IsLibraryClose)) waiting_.push_back(e);
  }
}

void EventLoop::HandleWaiting() {
  while (!ended_ && (!waiting_.empty() || !idle_.empty())) {
    if (!waiting_.empty()) {
      Event next = waiting_.front();
      waiting_.pop_front();
      Handle(next);
      continue;
    }
    std::function<void()> task = std::move(idle_.front());
    idle_.pop_front();
    RunHandler(task);
  }
  if (ended_) {
    waiting_.clear();
    idle_.clear();
  }
}

void EventLoop::Handle(const Event& e) {
  if (sink_) RunHandler([&] { sink_(e); });
}

void EventLoop::RunHandler(const std::function<void()>& handler) {
  std::string failure;
  {
    HandlingMark mark(handling_);
    failure = CaughtFailure(handler);
  }
  if (failure.empty()) return;
  LogFailure("a handler", failure);
  // The message is a handler of its own: events that come meanwhile wait.
  HandlingMark mark(handling_);
  if (report_) {
    const std::string reportFailure = CaughtFailure([&] { report_(StoppedText(failure)); });
    if (!reportFailure.empty()) LogFailure("telling of a failure", reportFailure);
  }
}

void EventLoop::DropTimerTicks() { std::erase_if(waiting_, IsTick); }

void EventLoop::WhenIdle(std::function<void()> task) {
  if (ended_) return;
  idle_.push_back(std::move(task));
  if (!handling_) HandleWaiting();
}

}  // namespace zuno
