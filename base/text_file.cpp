#include "base/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

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
WholeFile ReadOpenFile(int fd, std::size_t maxBytes) {
  using Status = WholeFile::Status;
  struct stat st {};
  if (fstat(fd, &st) != 0) return {Status::kUnreadable, {}};
  if (!S_ISREG(st.st_mode)) return {Status::kNotAFile, {}};
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

}  // namespace

WholeFile ReadRegularFile(const std::string& path, std::size_t maxBytes, bool followLinks) {
  using Status = WholeFile::Status;
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (followLinks ? 0 : O_NOFOLLOW);
  const UniqueFd fd(open(path.c_str(), flags));
  if (!fd.valid()) {
    if (errno == ENOENT || errno == ENOTDIR) return {Status::kMissing, {}};
    return {errno == ELOOP ? Status::kNotAFile : Status::kUnreadable, {}};
  }
  return ReadOpenFile(fd.get(), maxBytes);
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  std::string temp = path + ".XXXXXX";
  UniqueFd fd(mkstemp(temp.data()));
  if (!fd.valid()) return false;

  // Keep the mode of the file being replaced; a new file gets what open() would
  // give it. Set-user-ID, set-group-ID and sticky are never carried over: the
  // new content is not what whoever set them looked at.
  struct stat old {};
  mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 0777) : (0666 & ~CurrentUmask());
  bool ok = fchmod(fd.get(), mode) == 0 && WriteAll(fd.get(), bytes) && fsync(fd.get()) == 0;
  ok = fd.Close() && ok;
  if (ok) ok = rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}

}  // namespace zuno
