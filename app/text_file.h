// Whole-file reads and atomic whole-file replacement.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zuno {

std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes the bytes to a temporary file in the same directory, flushes it to
// disk and renames it over path. On any failure the old file stays as it was
// and the temporary file is removed.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace zuno
