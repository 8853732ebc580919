#include "tools/temp_file_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/text_file.h"
#include "base/unique_fd.h"
#include "base/utf8.h"

namespace zuno {
namespace {

// Reads to the end; nullopt on a read error, so a half-read file never
// replaces the editor's text.
std::optional<std::string> ReadAll(int fd) {
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<size_t>(n));
  }
}

UniqueFd CreateForWriting(const std::string& path, TextFileAccess access) {
  if (access == TextFileAccess::kShared)
    return UniqueFd(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));

  // The name lives in the shared working directory. Whatever stands there is
  // removed and the file is made anew, exclusively: a symbolic link planted
  // at the name is never written through, and another user's file is never
  // reused with its own permissions.
  unlink(path.c_str());
  UniqueFd fd(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (fd.valid() && fchmod(fd.get(), 0600) != 0) {  // a umask must not leave it unreadable
    fd.Close();
    unlink(path.c_str());
  }
  return fd;
}

// A file that is gone is not read back: an empty text in its place would
// empty the editor.
UniqueFd OpenForReadBack(const std::string& path, TextFileAccess access) {
  if (access == TextFileAccess::kShared) return UniqueFd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  return UniqueFd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
}

}  // namespace

bool WriteTextFile(const std::string& path, std::string_view utf8, TextFileAccess access) {
  return WriteTextFileInPieces(path, [utf8](const TextSink& write) { return write(utf8); }, access);
}

bool WriteTextFileInPieces(const std::string& path, const TextSource& fill,
                           TextFileAccess access) {
  UniqueFd fd = CreateForWriting(path, access);
  if (!fd.valid()) return false;
  const bool ok = fill([&fd](std::string_view piece) { return WriteAll(fd.get(), piece); });
  return fd.Close() && ok;
}

std::optional<std::string> ReadTextFileBack(const std::string& path, TextFileAccess access) {
  UniqueFd fd = OpenForReadBack(path, access);
  if (!fd.valid()) return std::nullopt;
  // A pipe or device planted at the name would block the program forever;
  // a file another user put in the place of one's own is not taken for it.
  struct stat st {};
  std::optional<std::string> bytes;
  const bool usable = fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
                      (access == TextFileAccess::kShared || st.st_uid == geteuid());
  if (usable) bytes = ReadAll(fd.get());
  if (!bytes) return std::nullopt;
  return DecodeTextBytes(*bytes);
}

std::string DecodeTextBytes(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size() && bytes[i] != '\0') {
    const unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      text += static_cast<char>(b);
      ++i;
      continue;
    }
    const size_t length = utf8::WellFormedLength(bytes.substr(i));
    if (length == 0) {
      text += '?';
      ++i;
    } else {
      text.append(bytes.substr(i, length));
      i += length;
    }
  }
  return text;
}

}  // namespace zuno
