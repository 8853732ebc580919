#include "tools/temp_file_text.h"

#include "base/text_file.h"
#include "base/utf8.h"

namespace zuno {
namespace {

// The temporary files hold the user's SQL, the command files the password.
MakeOptions MakingFor(TextFileAccess access) {
  if (access == TextFileAccess::kShared) return {};
  // The name lives in the shared working directory: whatever stands there is
  // removed and the file made anew, for the user alone whatever the umask.
  return {.making = FileMaking::kFresh, .mode = 0600, .exactMode = true};
}

}  // namespace

bool WriteTextFile(const std::string& path, std::string_view utf8, TextFileAccess access) {
  return WriteTextFileInPieces(path, [utf8](const TextSink& write) { return write(utf8); }, access);
}

bool WriteTextFileInPieces(const std::string& path, const TextSource& fill,
                           TextFileAccess access) {
  return WriteFile(path, fill, MakingFor(access));
}

std::optional<std::string> ReadTextFileBack(const std::string& path, TextFileAccess access) {
  // A pipe or device planted at the name would block the program forever;
  // a file another user put in the place of one's own is not taken for it;
  // a half-read file never replaces the editor's text.
  const WholeFile file = access == TextFileAccess::kShared ? ReadRegularFile(path, kMaxReadBackBytes)
                                                           : ReadOwnFile(path, kMaxReadBackBytes, false);
  if (!file) return std::nullopt;
  return DecodeTextBytes(file.bytes);
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
