// Work that must not hold up typing: it runs on a worker thread with plain
// values only, and what it returns is applied later on the windows' thread,
// without a busy window.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace zuno {

class BackgroundWork {
 public:
  BackgroundWork();
  // Waits for the workers still running; what they return is not applied.
  ~BackgroundWork();
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

  using Apply = std::function<void()>;
  // work runs on a worker and sees no window, grid or state record; the
  // function it returns runs on the windows' thread from the main loop.
  void Start(std::function<Apply()> work);

 private:
  struct Worker {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done;
  };
  void JoinFinished();

  // Cleared at destruction, so an apply queued for a gone owner is dropped.
  std::shared_ptr<std::atomic<bool>> alive_;
  std::vector<Worker> workers_;
};

}  // namespace zuno
