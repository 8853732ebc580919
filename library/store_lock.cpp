#include "library/store_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace zuno {
namespace {

constexpr std::chrono::milliseconds kRetryPause{2};

}  // namespace

StoreLock::StoreLock(const std::string& lockPath, Kind kind, std::chrono::milliseconds wait,
                     mode_t mode) {
  // Read access is all flock needs, so a lock file made by another user with
  // a narrower umask still serves everyone who may read the store. The lock
  // file stands where others may write: a link there is never followed and a
  // pipe there is never waited for.
  fd_ = UniqueFd(open(lockPath.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode));
  if (!fd_.valid()) {
    // A link there gives ELOOP, or EACCES where the system protects links in
    // sticky directories: either way something other than a file stands there.
    struct stat there {};
    notAFile_ = lstat(lockPath.c_str(), &there) == 0 && !S_ISREG(there.st_mode);
    return;
  }
  struct stat st {};
  if (fstat(fd_.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    notAFile_ = true;
    fd_.Close();
    return;
  }
  const int operation = (kind == Kind::kExclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  // Polled rather than blocking so that a holder that hangs cannot freeze the window.
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    if (flock(fd_.get(), operation) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) return;
    if (std::chrono::steady_clock::now() >= deadline) return;
    std::this_thread::sleep_for(kRetryPause);
  }
}


}  // namespace zuno
