#include "app/event_loop.h"

#include <algorithm>

namespace zuno {

void EventLoop::Deliver(const Event& e) {
  if (ended_) return;
  if (handling_) {
    if (e.kind == EventKind::Timer || e.kind == EventKind::Close) waiting_.push_back(e);
    return;
  }
  Handle(e);
  while (!ended_ && !waiting_.empty()) {
    Event next = waiting_.front();
    waiting_.pop_front();
    Handle(next);
  }
  if (ended_) waiting_.clear();
}

void EventLoop::Handle(const Event& e) {
  handling_ = true;
  if (sink_) sink_(e);
  handling_ = false;
}

void EventLoop::DropTimerTicks() {
  std::erase_if(waiting_, [](const Event& e) { return e.kind == EventKind::Timer; });
}

}  // namespace zuno
