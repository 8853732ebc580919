// A main-loop timeout that calls its tick every period until it is stopped.
#pragma once

#include <glib.h>

#include <functional>

namespace zuno {

class RepeatingTimer {
 public:
  RepeatingTimer() = default;
  ~RepeatingTimer() { Stop(); }
  RepeatingTimer(const RepeatingTimer&) = delete;
  RepeatingTimer& operator=(const RepeatingTimer&) = delete;

  void Start(int periodMs, std::function<void()> tick);
  void Stop();
  bool running() const { return source_ != 0; }

 private:
  guint source_ = 0;
  std::function<void()> tick_;
};

}  // namespace zuno
