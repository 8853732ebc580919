// An advisory lock on a file beside a store, so that program instances sharing
// one store never rewrite it at the same moment.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <string>

#include "base/unique_fd.h"

namespace zuno {

class StoreLock {
 public:
  enum class Kind { kShared, kExclusive };
  // Why the lock was not taken.
  enum class Problem {
    kNone,
    kHeld,         // another holder did not let go within the wait
    kNotAFile,     // a link, a pipe or anything but a regular file stands at its name
    kNotUsable,    // the lock file is there but cannot be opened (its owner and mode say why)
    kNotMade,      // no lock file was there and none could be made (error says why)
    kNotLockable,  // the file system does not lock (error says why)
  };

  // Opens the lock file storePath + ".lock", making it when missing, and
  // waits at most `wait` for the lock. A lock file this process makes gets
  // the store's read and write bits and, where the user may, its group, so
  // that whoever may read the store may lock it whatever the maker's umask;
  // one of the user's own that lacks them gets them. The lock file stands
  // where others may write: a link there is never followed and a pipe there
  // is never waited for. A holder that does not let go leaves the lock
  // untaken rather than waiting forever.
  StoreLock(const std::string& storePath, Kind kind, std::chrono::milliseconds wait);
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;

  bool held() const { return problem_ == Problem::kNone; }
  Problem problem() const { return problem_; }
  // The system's reason for kNotUsable, kNotMade and kNotLockable.
  int error() const { return error_; }
  // The lock file as it stands, for kNotUsable.
  const struct stat& file() const { return file_; }
  // How long it waited for another holder: the wait it was given.
  std::chrono::milliseconds waited() const { return waited_; }

 private:
  void Open(const std::string& lockPath, const struct stat* store);
  void Fail(Problem problem, int error);

  UniqueFd fd_;  // closing it releases the lock
  Problem problem_ = Problem::kNone;
  int error_ = 0;
  struct stat file_ {};
  std::chrono::milliseconds waited_{0};
};

}  // namespace zuno
