// Whole-file reads and atomic whole-file replacement.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zuno {

// A file read whole, or why it was not. A file of one's own may stand in a
// place where others can put a pipe, a device or a file of any size: such a
// file is never waited for and never read beyond the bound.
struct WholeFile {
  enum class Status { kRead, kMissing, kNotAFile, kTooLarge, kUnreadable };
  Status status = Status::kMissing;
  std::string bytes;  // the content when kRead

  explicit operator bool() const { return status == Status::kRead; }
};

// Reads path when it is a regular file of at most maxBytes bytes; opening
// it never blocks, and a symbolic link is followed only with followLinks.
WholeFile ReadRegularFile(const std::string& path, std::size_t maxBytes, bool followLinks = true);

// Writes the bytes to a temporary file in the same directory, flushes it to
// disk and renames it over path. On any failure the old file stays as it was
// and the temporary file is removed. The new file keeps the old one's
// permission bits, but never set-user-ID, set-group-ID or sticky.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zuno
