#include "windows/repeating_timer.h"

namespace zuno {

void RepeatingTimer::Start(int periodMs, std::function<void()> tick) {
  Stop();
  tick_ = std::move(tick);
  source_ = g_timeout_add(static_cast<guint>(periodMs),
                          [](gpointer self) -> gboolean {
                            static_cast<RepeatingTimer*>(self)->tick_();
                            return G_SOURCE_CONTINUE;
                          },
                          this);
}

void RepeatingTimer::Stop() {
  if (source_ != 0) g_source_remove(source_);
  source_ = 0;
}

}  // namespace zuno
