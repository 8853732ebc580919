// The one file layer: whole-file reads within a bound, the one writer of
// every file the program makes, atomic whole-file replacement, and what makes
// a file the user's own.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/unique_fd.h"

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

// The user's own: made by, or given to, the user the program runs as.
inline bool IsOwn(const struct stat& st) { return st.st_uid == geteuid(); }

// Writes every byte to fd, again after an interrupted write; false when a
// write fails or takes nothing.
bool WriteAll(int fd, std::string_view bytes);

// Reads path when it is a regular file of at most maxBytes bytes; opening
// it never blocks, and a symbolic link is followed only with followLinks.
WholeFile ReadRegularFile(const std::string& path, std::size_t maxBytes, bool followLinks = true);
// The same for a file that must be the user's own: one of another user's
// (kNotAFile) is never read, whatever it may hold.
WholeFile ReadOwnFile(const std::string& path, std::size_t maxBytes, bool followLinks = true);

// How a file is made for writing.
enum class FileMaking {
  kTruncate,   // made, or the file at the name emptied (a link there is followed)
  kExclusive,  // made anew; nothing at all may stand at the name, a link neither
  kFresh,      // whatever stands at the name removed first, then as kExclusive
};

struct MakeOptions {
  FileMaking making = FileMaking::kTruncate;
  // What open() is given; the umask takes from it.
  mode_t mode = 0666;
  // The mode exactly, whatever the umask (kExclusive and kFresh, which make
  // the file themselves).
  bool exactMode = false;
  // Opened for reading too: a network file system takes a shared lock only
  // on a file open for reading.
  bool readable = false;
};

// Opens path for writing as the options say; invalid when it cannot.
UniqueFd MakeFile(const std::string& path, const MakeOptions& options);
// Makes the file and writes what fill hands its sink; false when the file
// cannot be made, a piece does not reach it whole, or fill gives false.
bool WriteFile(const std::string& path, const TextSource& fill, const MakeOptions& options);

// How a replace ended: kNotMade when no temporary file could be made beside
// path, kNotWritten when it could not be written whole, kNotRenamed when the
// directory refused the rename (a sticky directory lets only the owner of
// the file it replaces do that).
enum class ReplaceOutcome { kReplaced, kNotMade, kNotWritten, kNotRenamed };

// The outcome with the system's reason (errno of the call that failed).
struct Replaced {
  ReplaceOutcome outcome = ReplaceOutcome::kReplaced;
  int error = 0;
  explicit operator bool() const { return outcome == ReplaceOutcome::kReplaced; }
};

struct ReplaceOptions {
  // The new file's permission bits from its first byte on; without them it
  // keeps the old file's, or gets what open() gives a new file.
  std::optional<mode_t> mode;
  // Flushed to disk before the rename, so that even a crash of the system
  // finds the old file or the new one whole. A file kept again every few
  // seconds goes without: a killed process still leaves it whole.
  bool flush = true;
};

// Writes the bytes to a temporary file in the same directory, flushes it and
// renames it over path. The temporary file is named path followed by
// ".replacing.", the process id, "@", the host name, "." and six characters:
// no name a user would give a file. On any failure the old file stays as it
// was and the temporary file is removed. A kept mode is never set-user-ID,
// set-group-ID or sticky.
Replaced ReplaceFileAtomically(const std::string& path, std::string_view bytes, const ReplaceOptions& options = {});

// Removes the user's own temporary files of replaces of path whose process
// is gone (killed while writing) on this host. Nothing else beside path is
// touched, whatever its name.
void RemoveStaleReplaces(const std::string& path);

// The file path names once the symbolic links of the user's own (or root's)
// on the way are followed, relative to each link's directory; nothing when a
// link of anyone else stands on the way, which could point at any file of
// the user's, or the links run in a loop. A path that is no link is itself.
std::optional<std::string> FollowOwnLinks(const std::string& path);

}  // namespace zuno
