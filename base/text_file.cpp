#include "base/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <cerrno>
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
  if (!S_ISREG(st.st_mode) || (ownOnly && st.st_uid != geteuid())) return {Status::kNotAFile, {}};
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

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
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

WholeFile ReadRegularFile(const std::string& path, std::size_t maxBytes, bool followLinks) {
  return ReadFile(path, maxBytes, followLinks, false);
}

WholeFile ReadOwnFile(const std::string& path, std::size_t maxBytes) { return ReadFile(path, maxBytes, true, true); }

ReplaceOutcome ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".XXXXXX";
  UniqueFd fd(mkstemp(temp.data()));
  if (!fd.valid()) return ReplaceOutcome::kNotMade;

  // Keep the mode of the file being replaced; a new file gets what open() would
  // give it. Set-user-ID, set-group-ID and sticky are never carried over: the
  // new content is not what whoever set them looked at.
  struct stat old {};
  mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 0777) : (0666 & ~CurrentUmask());
  bool ok = fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), bytes) && fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  if (!ok) {
    unlink(temp.c_str());
    return ReplaceOutcome::kNotWritten;
  }
  if (rename(temp.c_str(), path.c_str()) != 0) {
    unlink(temp.c_str());
    return ReplaceOutcome::kNotRenamed;
  }
  return ReplaceOutcome::kReplaced;
}

void RemoveStaleReplaces(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const std::string prefix = path.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(directory.c_str()), closedir);
  if (!dir) return;
  // What mkstemp puts in place of "XXXXXX".
  constexpr std::string_view kTempCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const auto madeByMkstemp = [&](std::string_view suffix) {
    return suffix.size() == 6 && suffix.find_first_not_of(kTempCharacters) == std::string_view::npos;
  };
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (!name.starts_with(prefix) || !madeByMkstemp(name.substr(prefix.size()))) continue;
    const std::string stale = slash == std::string::npos ? std::string(name) : directory + std::string(name);
    struct stat st {};
    // Only a file of the user's own: what another user left is theirs to remove.
    if (lstat(stale.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid()) unlink(stale.c_str());
  }
}

std::optional<std::string> FollowOwnLinks(const std::string& path) {
  constexpr int kMaxLinkHops = 40;
  std::string at = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return at;
    if (st.st_uid != geteuid() && st.st_uid != 0) return std::nullopt;
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
