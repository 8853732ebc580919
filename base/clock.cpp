#include "base/clock.h"

#include <sys/time.h>

namespace zuno {

std::int64_t NowMilliseconds() {
  static const std::int64_t firstSecond = [] {
    timeval t{};
    gettimeofday(&t, nullptr);
    return static_cast<std::int64_t>(t.tv_sec);
  }();
  timeval t{};
  gettimeofday(&t, nullptr);
  return (static_cast<std::int64_t>(t.tv_sec) - firstSecond) * 1000 + t.tv_usec / 1000;
}

}  // namespace zuno
