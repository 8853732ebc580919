// What the job runner needs from the windows: the busy window, a wait that
// keeps them painted, and a way back onto their thread. Only the runner
// uses it; handlers go through the runner.
#pragma once

#include <functional>

namespace zuno {

class JobHost {
 public:
  virtual ~JobHost() = default;

  virtual void OpenBusyWindow() = 0;
  virtual void CloseBusyWindow() = 0;
  // The work shows its first results while it goes on: the busy window, if
  // open, closes, and until the wait ends the result in front takes the
  // input (its rows scroll and select) and nothing else does; Escape there
  // calls the wait's cancel.
  virtual void GiveWayToResult() = 0;

  // Keeps the windows painted, and the input from them, until finished()
  // answers true; it is asked again after each Wake. Escape or the close box
  // of the busy window calls cancel, when one is given, on this thread.
  virtual void WaitUntil(const std::function<bool()>& finished, const std::function<void()>& cancel) = 0;
  // From any thread: the running WaitUntil asks finished() again.
  virtual void Wake() = 0;
  // From any thread: task runs later on the windows' thread, from their
  // main loop.
  virtual void Post(std::function<void()> task) = 0;
};

}  // namespace zuno
