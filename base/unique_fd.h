// A file descriptor with one owner: closed when the owner goes, or earlier
// by Close, which tells whether the close succeeded (the last write's error
// can show only there).
#pragma once

#include <unistd.h>

#include "base/unique_handle.h"

namespace zuno {

struct FdKind {
  using Handle = int;
  static constexpr int kNone = -1;
  static bool Release(int fd) { return close(fd) == 0; }
};

class UniqueFd : public UniqueHandle<FdKind> {
 public:
  using UniqueHandle::UniqueHandle;

  bool valid() const { return static_cast<bool>(*this); }
  // True when there was nothing to close or the close succeeded.
  bool Close() { return Reset(); }
};

}  // namespace zuno
