// Hands each event to one handler at a time. Events that arrive while a handler
// runs (a timer tick or a close request delivered by a modal dialog's or the busy
// window's nested loop) wait until it has finished; input to the windows cannot
// arrive then, because dialogs and the busy window hold the input grab. Ticks
// that fall due meanwhile make at most one run after it, and a close request
// that waits goes before any tick.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "session/event.h"

namespace zuno {

class EventLoop {
 public:
  using Sink = std::function<void(const Event&)>;

  void SetSink(Sink sink) { sink_ = std::move(sink); }
  // Where the user is told of a handler that threw: the loop catches it,
  // writes it to the error output once and goes on with the next event.
  using Report = std::function<void(const std::string&)>;
  void SetFailureReport(Report report) { report_ = std::move(report); }
  void Deliver(const Event& e);

  // Forget ticks of the Autorun Timer that are waiting to be handled.
  void DropTimerTicks();

  // Runs task at once when no handler runs, otherwise once the handler and
  // the events waiting behind it are done; never after the end.
  void WhenIdle(std::function<void()> task);

  void End() { ended_ = true; }
  bool Ended() const { return ended_; }
  bool Handling() const { return handling_; }
  std::size_t Waiting() const { return waiting_.size(); }

 private:
  void Handle(const Event& e);
  void Keep(const Event& e);
  void HandleWaiting();
  // Runs a handler or a task with the loop marked as handling, whatever it
  // throws.
  void RunHandler(const std::function<void()>& handler);

  Sink sink_;
  Report report_;
  std::deque<Event> waiting_;
  std::deque<std::function<void()>> idle_;
  bool handling_ = false;
  bool ended_ = false;
};

}  // namespace zuno
