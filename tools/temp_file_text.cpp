#include "tools/temp_file_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zuno {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

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

int CreateForWriting(const std::string& path, TextFileAccess access) {
  if (access == TextFileAccess::kShared)
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);

  // The name lives in the shared working directory. Whatever stands there is
  // removed and the file is made anew, exclusively: a symbolic link planted
  // at the name is never written through, and another user's file is never
  // reused with its own permissions.
  unlink(path.c_str());
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0 && fchmod(fd, 0600) != 0) {  // a umask must not leave it unreadable
    close(fd);
    unlink(path.c_str());
    return -1;
  }
  return fd;
}

int OpenForReadBack(const std::string& path, TextFileAccess access) {
  if (access == TextFileAccess::kShared)
    return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  return open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
}

bool IsContinuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

// Length of the well-formed sequence that starts bytes, or 0.
size_t WellFormedLength(std::string_view bytes) {
  const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = at(0);
  size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // over-long
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // over-long
    if (lead == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  if (at(1) < low || at(1) > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if (!IsContinuation(at(i))) return 0;
  return length;
}

}  // namespace

bool WriteTextFile(const std::string& path, std::string_view utf8, TextFileAccess access) {
  int fd = CreateForWriting(path, access);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, utf8);
  ok = (close(fd) == 0) && ok;
  return ok;
}

std::optional<std::string> ReadTextFileBack(const std::string& path, TextFileAccess access) {
  int fd = OpenForReadBack(path, access);
  if (fd < 0) return std::nullopt;
  // A pipe or device planted at the name would block the program forever;
  // a file another user put in the place of one's own is not taken for it.
  struct stat st {};
  std::optional<std::string> bytes;
  const bool usable = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
                      (access == TextFileAccess::kShared || st.st_uid == geteuid());
  if (usable) bytes = ReadAll(fd);
  close(fd);
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
    const size_t length = WellFormedLength(bytes.substr(i));
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
