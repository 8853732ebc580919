#include "app/logo_file.h"

#include "base/text_file.h"

namespace zuno {
namespace {

// A logo is a small picture; a larger file is not read.
constexpr std::size_t kMaxLogoBytes = 4 << 20;
// Every JPEG file begins with the start-of-image marker and another marker.
constexpr std::string_view kJpegStart = "\xFF\xD8\xFF";

}  // namespace

std::optional<std::string> ReadLogoBytes(const std::string& path, bool* tooLarge) {
  WholeFile file = ReadOwnFile(path, kMaxLogoBytes);
  *tooLarge = file.status == WholeFile::Status::kTooLarge;
  if (!file || !file.bytes.starts_with(kJpegStart)) return std::nullopt;
  return std::move(file.bytes);
}

}  // namespace zuno
