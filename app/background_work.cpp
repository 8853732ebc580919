#include "app/background_work.h"

#include <glib.h>

namespace zuno {
namespace {

struct Pending {
  std::shared_ptr<std::atomic<bool>> alive;
  BackgroundWork::Apply apply;
};

gboolean ApplyOnWindowsThread(gpointer data) {
  std::unique_ptr<Pending> pending(static_cast<Pending*>(data));
  if (*pending->alive && pending->apply) pending->apply();
  return G_SOURCE_REMOVE;
}

}  // namespace

BackgroundWork::BackgroundWork() : alive_(std::make_shared<std::atomic<bool>>(true)) {}

BackgroundWork::~BackgroundWork() {
  *alive_ = false;
  for (Worker& w : workers_) w.thread.join();
}

void BackgroundWork::JoinFinished() {
  std::erase_if(workers_, [](Worker& w) {
    if (!*w.done) return false;
    w.thread.join();
    return true;
  });
}

void BackgroundWork::Start(std::function<Apply()> work) {
  JoinFinished();
  auto done = std::make_shared<std::atomic<bool>>(false);
  std::thread thread([work = std::move(work), alive = alive_, done] {
    auto pending = std::make_unique<Pending>(Pending{alive, work()});
    g_idle_add(ApplyOnWindowsThread, pending.release());
    *done = true;
  });
  workers_.push_back(Worker{std::move(thread), std::move(done)});
}

}  // namespace zuno
