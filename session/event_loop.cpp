#include "session/event_loop.h"

#include <algorithm>

namespace zuno {
namespace {

bool IsTick(const Event& e) { return e.kind == EventKind::Timer; }
// A close request that ends the program; one on the library window only
// closes that window.
bool IsClose(const Event& e) { return e.kind == EventKind::Close && e.window != WindowId::Library; }
bool IsLibraryClose(const Event& e) { return e.kind == EventKind::Close && e.window == WindowId::Library; }

}  // namespace

void EventLoop::Deliver(const Event& e) {
  if (ended_) return;
  if (handling_) {
    Keep(e);
    return;
  }
  Handle(e);
  HandleWaiting();
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
    handling_ = true;
    task();
    handling_ = false;
  }
  if (ended_) {
    waiting_.clear();
    idle_.clear();
  }
}

void EventLoop::Handle(const Event& e) {
  handling_ = true;
  if (sink_) sink_(e);
  handling_ = false;
}

void EventLoop::DropTimerTicks() { std::erase_if(waiting_, IsTick); }

void EventLoop::WhenIdle(std::function<void()> task) {
  if (ended_) return;
  idle_.push_back(std::move(task));
  if (!handling_) HandleWaiting();
}

}  // namespace zuno
