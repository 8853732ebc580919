// An advisory lock on a file beside a store, so that program instances sharing
// one store never rewrite it at the same moment.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

#include "base/unique_fd.h"

namespace zuno {

class StoreLock {
 public:
  enum class Kind { kShared, kExclusive };

  // Opens (creating it with mode, less the umask, when missing) the lock file
  // and waits at most `wait` for the lock. held() tells whether it was taken:
  // a directory where the lock file cannot be made, or a holder that does not
  // let go, leaves it untaken rather than waiting forever. opened() tells the
  // two apart: it is false when no lock file could be opened, and a symbolic
  // link or anything but a regular file at the name counts as none;
  // notAFile() tells that such a thing stands there.
  StoreLock(const std::string& lockPath, Kind kind, std::chrono::milliseconds wait, mode_t mode);
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

  bool held() const { return held_; }
  bool opened() const { return fd_.valid(); }
  bool notAFile() const { return notAFile_; }

 private:
  UniqueFd fd_;  // closing it releases the lock
  bool held_ = false;
  bool notAFile_ = false;
};

}  // namespace zuno
