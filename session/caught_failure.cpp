#include "session/caught_failure.h"

#include <cstdio>

namespace zuno {

void LogFailure(std::string_view where, std::string_view failure) noexcept {
  std::fprintf(stderr, "ZUNO: %.*s failed: %.*s\n", static_cast<int>(where.size()), where.data(),
               static_cast<int>(failure.size()), failure.data());
}

}  // namespace zuno
