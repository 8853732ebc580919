#include "library/store_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "base/text_file.h"

namespace zuno {
namespace {

constexpr std::chrono::milliseconds kRetryPause{2};
// Another instance may make or remove the lock file between two looks.
constexpr int kOpenAttempts = 4;

constexpr int kOpenFlags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;

}  // namespace

StoreLock::StoreLock(const std::string& storePath, Kind kind, std::chrono::milliseconds wait) {
  struct stat store {};
  Open(storePath + ".lock", stat(storePath.c_str(), &store) == 0 ? &store : nullptr);
  if (!fd_.valid()) return;
  const int operation = (kind == Kind::kExclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
  // Polled rather than blocking so that a holder that hangs cannot freeze the window.
  const auto start = std::chrono::steady_clock::now();
  for (;;) {
    if (flock(fd_.get(), operation) == 0) return;
    if (errno != EWOULDBLOCK && errno != EINTR) {
      Fail(Problem::kNotLockable, errno);
      return;
    }
    if (std::chrono::steady_clock::now() - start >= wait) {
      waited_ = wait;
      Fail(Problem::kHeld, 0);
      return;
    }
    std::this_thread::sleep_for(kRetryPause);
  }
}

void StoreLock::Fail(Problem problem, int error) {
  problem_ = problem;
  error_ = error;
  fd_.Close();
}

// Read access is all flock needs, so a lock file of another user's serves
// everyone who may read it.
void StoreLock::Open(const std::string& lockPath, const struct stat* store) {
  // Without a store yet the lock file takes the umask, as the store will.
  const mode_t wanted = store ? (store->st_mode & 0666) : 0;
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    fd_ = UniqueFd(open(lockPath.c_str(), kOpenFlags));
    if (fd_.valid()) break;
    if (errno == ELOOP) return Fail(Problem::kNotAFile, errno);
    if (errno != ENOENT) {
      // EACCES where the system protects links in sticky directories, too.
      const int error = errno;
      if (lstat(lockPath.c_str(), &file_) != 0) return Fail(Problem::kNotMade, error);
      return Fail(S_ISREG(file_.st_mode) ? Problem::kNotUsable : Problem::kNotAFile, error);
    }
    // The umask of whoever makes it first must not lock the others out.
    fd_ = MakeFile(lockPath, {.making = FileMaking::kExclusive,
                              .mode = store ? wanted : mode_t{0666},
                              .exactMode = store != nullptr,
                              .readable = true});
    if (fd_.valid()) {
      if (store && store->st_gid != getegid()) (void)!fchown(fd_.get(), static_cast<uid_t>(-1), store->st_gid);
      break;
    }
    if (errno != EEXIST) return Fail(Problem::kNotMade, errno);
  }
  if (!fd_.valid()) return Fail(Problem::kNotMade, errno);
  if (fstat(fd_.get(), &file_) != 0 || !S_ISREG(file_.st_mode)) return Fail(Problem::kNotAFile, 0);
  // One made before, under a narrow umask, is widened by its owner.
  if (IsOwn(file_) && (file_.st_mode & wanted) != wanted) (void)!fchmod(fd_.get(), (file_.st_mode & 0666) | wanted);
}

}  // namespace zuno
