#include "db/idle_trim.h"

#include <malloc.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

namespace zuno {
namespace {

using Clock = std::chrono::steady_clock;

// One for the process: every connection's results share its heap.
class Trimmer {
 public:
  void Arm() {
    {
      std::lock_guard lock(mutex_);
      due_ = Clock::now() + kTrimRest;
      // Started with the first result: a program that never runs one has no thread for it.
      if (!thread_.joinable()) thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
    }
    wake_.notify_one();
  }

  void Hold() {
    {
      std::lock_guard lock(mutex_);
      due_.reset();
    }
    wake_.notify_one();
  }

 private:
  void Run(std::stop_token stop) {
    std::unique_lock lock(mutex_);
    while (!stop.stop_requested()) {
      if (!due_) {
        wake_.wait(lock, stop, [this] { return due_.has_value(); });
        continue;
      }
      const Clock::time_point due = *due_;
      // Armed again or held meanwhile: wait anew.
      if (wake_.wait_until(lock, stop, due, [this, due] { return due_ != due; }) || stop.stop_requested()) continue;
      due_.reset();
      lock.unlock();
      malloc_trim(0);
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::optional<Clock::time_point> due_;
  std::jthread thread_;  // last: stopped and joined before the rest goes
};

Trimmer& TheTrimmer() {
  static Trimmer trimmer;
  return trimmer;
}

}  // namespace

void TrimAfterRest() { TheTrimmer().Arm(); }

void HoldTrim() { TheTrimmer().Hold(); }

}  // namespace zuno
