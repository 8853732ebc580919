// The files through which the SQL text goes to other programs and comes back:
// zuno0.txt and zuno0.sql for the editor and the formatter, zunocmd.bat and
// zunocmd.txt for the Db2 command line processor, each in a folder of its
// own use (tools/private_folder.h).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/text_file.h"

namespace zuno {

enum class TextFileAccess {
  kShared,     // created with the usual mode (0666 less the umask)
  kOwnerOnly,  // mode 0600, and a symbolic link at the name is never followed
};

// Creates the file, or empties it, and writes the text's bytes exactly: no
// byte-order mark, no line end added. False when the file cannot be created or
// not all of the text reached it.
// kOwnerOnly is for files that hold the password: whatever stands at the name
// (a stale file, a planted symbolic link) is unlinked first and a fresh file is
// created exclusively, so a link re-planted in between makes the call fail
// rather than write through it.
bool WriteTextFile(const std::string& path, std::string_view utf8,
                   TextFileAccess access = TextFileAccess::kShared);
// The same for a text made while it is written: fill hands its pieces to the
// sink it is given; false also when fill gives false.
bool WriteTextFileInPieces(const std::string& path, const TextSource& fill,
                           TextFileAccess access = TextFileAccess::kShared);

// A file read back larger than this is not taken: the editor or the grid
// would hold it whole.
constexpr std::size_t kMaxReadBackBytes = 64 << 20;

// Opens the file for reading and returns its content decoded as
// DecodeTextBytes does. nullopt when it is missing or cannot be opened, for
// anything but a regular file, and for one over kMaxReadBackBytes. With kOwnerOnly a symbolic link at the
// name and a file of another user are refused (nullopt).
std::optional<std::string> ReadTextFileBack(const std::string& path,
                                            TextFileAccess access = TextFileAccess::kShared);

// The bytes read as UTF-8 text up to the first zero byte. A well-formed
// sequence stays as it is (a byte-order mark too, as U+FEFF). Every other byte
// becomes "?": one that cannot begin a sequence (0x80-0xBF, 0xC0, 0xC1,
// 0xF5-0xFF), and a lead byte whose sequence is cut short, over-long, a
// surrogate or beyond U+10FFFF; decoding then goes on with the byte after it.
std::string DecodeTextBytes(std::string_view bytes);

}  // namespace zuno
