#include "base/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <signal.h>
#include <unistd.h>

#include <dirent.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdint>
#include <memory>

#include "base/unique_fd.h"

namespace zuno {
namespace {

mode_t CurrentUmask() {
  mode_t mask = umask(0);
  umask(mask);
  return mask;
}

// The descriptor's file whole, read in pieces up to one byte past the bound,
// so a file that grows while it is read is refused too.
WholeFile ReadOpenFile(int fd, std::size_t maxBytes, bool ownOnly) {
  using Status = WholeFile::Status;
  struct stat st {};
  if (fstat(fd, &st) != 0) return {Status::kUnreadable, {}};
  if (!S_ISREG(st.st_mode) || (ownOnly && !IsOwn(st))) return {Status::kNotAFile, {}};
  if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) return {Status::kTooLarge, {}};
  WholeFile file{Status::kRead, {}};
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return file;
    if (n < 0) {
      if (errno == EINTR) continue;
      return {Status::kUnreadable, {}};
    }
    if (file.bytes.size() + static_cast<std::size_t>(n) > maxBytes) return {Status::kTooLarge, {}};
    file.bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

// A replace's temporary files of path: path, ".replacing.", then the tag of
// the process that writes it and what mkstemp puts in place of "XXXXXX".
std::string ReplacePrefix(const std::string& path) { return path + ".replacing."; }

std::string HostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

// "4242@host": the process, and the host it runs on, since a folder on a
// network share sees the files of other hosts' processes of the same ids.
std::string ThisProcessTag() { return std::to_string(getpid()) + "@" + HostName(); }

// The process that wrote a temporary file of a replace from what follows
// the prefix in its name, when that is a tag of this host with mkstemp's six
// characters after it.
std::optional<pid_t> ReplacingProcess(std::string_view rest, const std::string& host) {
  constexpr std::string_view kTempCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  constexpr std::size_t kSuffix = 7;  // "." and six characters
  const std::size_t at = rest.find('@');
  if (at == std::string_view::npos || rest.size() < at + 1 + kSuffix) return std::nullopt;
  const std::string_view suffix = rest.substr(rest.size() - kSuffix);
  if (suffix[0] != '.' || suffix.find_first_not_of(kTempCharacters, 1) != std::string_view::npos) return std::nullopt;
  if (rest.substr(at + 1, rest.size() - kSuffix - at - 1) != host) return std::nullopt;
  pid_t pid = 0;
  const std::string_view digits = rest.substr(0, at);
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
  if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0) return std::nullopt;
  return pid;
}

WholeFile ReadFile(const std::string& path, std::size_t maxBytes, bool followLinks, bool ownOnly) {
  using Status = WholeFile::Status;
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
  const UniqueFd fd(open(path.c_str(), flags));
  if (!fd.valid()) {
    if (errno == ENOENT || errno == ENOTDIR) return {Status::kMissing, {}};
    return {errno == ELOOP ? Status::kNotAFile : Status::kUnreadable, {}};
  }
  return ReadOpenFile(fd.get(), maxBytes, ownOnly);
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    // A write that takes nothing would take nothing again: the file is full
    // or gone, and the loop would never end.
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

WholeFile ReadRegularFile(const std::string& path, std::size_t maxBytes, bool followLinks) {
  return ReadFile(path, maxBytes, followLinks, false);
}

WholeFile ReadOwnFile(const std::string& path, std::size_t maxBytes, bool followLinks) {
  return ReadFile(path, maxBytes, followLinks, true);
}

UniqueFd MakeFile(const std::string& path, const MakeOptions& options) {
  const int flags = (options.readable ? O_RDWR : O_WRONLY) | O_CREAT | O_CLOEXEC;
  if (options.making == FileMaking::kTruncate) return UniqueFd(open(path.c_str(), flags | O_TRUNC, options.mode));
  // A link planted at the name is never written through, and another
  // user's file is never reused with its own permissions.
  if (options.making == FileMaking::kFresh) unlink(path.c_str());
  UniqueFd fd(open(path.c_str(), flags | O_EXCL | O_NOFOLLOW, options.mode));
  if (fd.valid() && options.exactMode && fchmod(fd.get(), options.mode) != 0) {
    fd.Close();
    unlink(path.c_str());
  }
  return fd;
}

bool WriteFile(const std::string& path, const TextSource& fill, const MakeOptions& options) {
  UniqueFd fd = MakeFile(path, options);
  if (!fd.valid()) return false;
  const bool ok = fill([&fd](std::string_view piece) { return WriteAll(fd.get(), piece); });
  return fd.Close() && ok;
}

Replaced ReplaceFileAtomically(const std::string& path, std::string_view bytes, const ReplaceOptions& options) {
  const auto failed = [](ReplaceOutcome outcome) { return Replaced{outcome, errno}; };
  std::string temp = ReplacePrefix(path) + ThisProcessTag() + ".XXXXXX";
  UniqueFd fd(mkstemp(temp.data()));
  if (!fd.valid()) return failed(ReplaceOutcome::kNotMade);

  // Keep the mode of the file being replaced; a new file gets what open() would
  // give it. Set-user-ID, set-group-ID and sticky are never carried over: the
  // new content is not what whoever set them looked at.
  struct stat old {};
  mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 0777) : (0666 & ~CurrentUmask());
  if (options.mode) mode = *options.mode & 0777;
  Replaced done;
  if (fchmod(fd.get(), mode) != 0 || !WriteAll(fd.get(), bytes) || (options.flush && fsync(fd.get()) != 0))
    done = failed(ReplaceOutcome::kNotWritten);
  if (!fd.Close() && done) done = failed(ReplaceOutcome::kNotWritten);
  if (done && rename(temp.c_str(), path.c_str()) != 0) done = failed(ReplaceOutcome::kNotRenamed);
  if (!done) unlink(temp.c_str());
  return done;
}

void RemoveStaleReplaces(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string prefix = ReplacePrefix(path.substr(slash == std::string::npos ? 0 : slash + 1));
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory.c_str()), closedir);
  if (!dir) return;
  const std::string host = HostName();
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (!name.starts_with(prefix)) continue;
    const std::optional<pid_t> pid = ReplacingProcess(name.substr(prefix.size()), host);
    // A process of this id that still runs may be the one writing it.
    if (!pid || kill(*pid, 0) == 0 || errno != ESRCH) continue;
    const std::string stale = slash == std::string::npos ? std::string(name) : directory + std::string(name);
    struct stat st {};
    // Only a file of the user's own: what another user left is theirs to remove.
    if (lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode) && IsOwn(st)) unlink(stale.c_str());
  }
}

std::optional<std::string> FollowOwnLinks(const std::string& path) {
  constexpr int kMaxLinkHops = 40;
  std::string at = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    if (!IsOwn(st) && st.st_uid != 0) return std::nullopt;
    std::string target(PATH_MAX, '\0');
    const ssize_t n = readlink(at.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(n));
    const std::size_t slash = at.rfind('/');
    at = target.starts_with('/') || slash == std::string::npos ? target : at.substr(0, slash + 1) + target;
  }
  return std::nullopt;
}

}  // namespace zuno
