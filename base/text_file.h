// Whole-file reads and atomic whole-file replacement.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zuno {

// Takes a text piece by piece, in order; false when a piece could not be
// taken, and nothing more should be offered.
using TextSink = std::function<bool(std::string_view)>;
// Makes a text and hands it to the sink it is given, piece by piece; false
// when the sink refused a piece.
using TextSource = std::function<bool(const TextSink&)>;

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
// The same for a file that must be the user's own: one of another user's
// (kNotAFile) is never read, whatever it may hold.
WholeFile ReadOwnFile(const std::string& path, std::size_t maxBytes);

// How a replace ended: kNotMade when no temporary file could be made beside
// path, kNotWritten when it could not be written whole, kNotRenamed when the
// directory refused the rename (a sticky directory lets only the owner of
// the file it replaces do that).
enum class ReplaceOutcome { kReplaced, kNotMade, kNotWritten, kNotRenamed };

// Writes the bytes to a temporary file in the same directory (path followed
// by "." and six characters), flushes it to disk and renames it over path.
// On any failure the old file stays as it was and the temporary file is
// removed. The new file keeps the old one's permission bits, but never
// set-user-ID, set-group-ID or sticky.
ReplaceOutcome ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporary files of replaces of path that never ended (a process
// killed while writing). Only safe while no other replace of path can run.
void RemoveStaleReplaces(const std::string& path);

// The file path names once the symbolic links of the user's own (or root's)
// on the way are followed, relative to each link's directory; nothing when a
// link of anyone else stands on the way, which could point at any file of
// the user's, or the links run in a loop. A path that is no link is itself.
std::optional<std::string> FollowOwnLinks(const std::string& path);

}  // namespace zuno
