#include "library/store_refusal.h"

#include <pwd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "library/query_store.h"
#include "session/messages.h"

namespace zuno {
namespace {

constexpr std::string_view kLeft = "zuno.sql was left as it was.";

std::string Reason(int error) { return std::generic_category().message(error); }

// A file that could not be made is told as every such file is, then why.
std::string NotMade(std::string_view what, int error) {
  std::string text = std::string(kCannotCreateFile) + "\n";
  if (error == EACCES || error == EPERM || error == EROFS)
    return text + "The folder of zuno.sql is read-only for you (" + Reason(error) + "): " + std::string(what) +
           " cannot be made there, and " + std::string(kLeft);
  return text + std::string(what) + " cannot be made beside zuno.sql (" + Reason(error) + "); " + std::string(kLeft);
}

std::string OwnerName(uid_t uid) {
  struct passwd entry {};
  struct passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
    return found->pw_name;
  return "user " + std::to_string(uid);
}

std::string ModeText(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

// "5 s", "1.5 s", "20 ms".
std::string WaitText(std::chrono::milliseconds waited) {
  const long long ms = waited.count();
  if (ms < 1000) return std::to_string(ms) + " ms";
  std::string text = std::to_string(ms / 1000);
  if (ms % 1000 >= 100) text += "." + std::to_string(ms % 1000 / 100);
  return text + " s";
}

}  // namespace

std::string LockRefusal(const StoreLock& lock) {
  using Problem = StoreLock::Problem;
  switch (lock.problem()) {
    case Problem::kNone: return {};
    case Problem::kHeld:
      return "zuno.sql is held by another program through its lock zuno.sql.lock; waited " +
             WaitText(lock.waited()) + " for it to let go, and " + std::string(kLeft);
    case Problem::kNotAFile: return std::string(kStoreLockNotAFile);
    case Problem::kNotUsable:
      return "zuno.sql.lock belongs to " + OwnerName(lock.file().st_uid) + " with mode " +
             ModeText(lock.file().st_mode) + " and cannot be opened to lock zuno.sql (" + Reason(lock.error()) +
             "); " + std::string(kLeft) + " Its owner can give it the store's mode.";
    case Problem::kNotMade: return NotMade("its lock zuno.sql.lock", lock.error());
    case Problem::kNotLockable:
      return "zuno.sql.lock cannot be locked (" + Reason(lock.error()) + "), and " + std::string(kLeft);
  }
  return {};
}

std::string ReplaceRefusal(const Replaced& replace, bool inStickyFolderOfOthers) {
  switch (replace.outcome) {
    case ReplaceOutcome::kReplaced: return {};
    case ReplaceOutcome::kNotMade: return NotMade("a new zuno.sql", replace.error);
    case ReplaceOutcome::kNotWritten:
      return std::string(kCannotCreateFile) + "\nThe new zuno.sql could not be written whole (" +
             Reason(replace.error) + "); " + std::string(kLeft);
    case ReplaceOutcome::kNotRenamed:
      if (inStickyFolderOfOthers)
        return "zuno.sql belongs to another user in a sticky folder, where only its owner may replace it (" +
               Reason(replace.error) +
               "), and was left as it was. A team share needs a group-writable folder without the sticky bit, "
               "or a link of each user's own to the store.";
      return "zuno.sql could not be replaced by its new version (" + Reason(replace.error) + "); " +
             std::string(kLeft);
  }
  return {};
}

}  // namespace zuno
