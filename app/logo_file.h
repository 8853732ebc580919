// "ZUNO.JPG" in the working directory, where others may put files.
#pragma once

#include <optional>
#include <string>

namespace zuno {

constexpr const char* kLogoFile = "ZUNO.JPG";

// The bytes of the logo when it is a JPEG file of the user's own of at most
// 4 MB; *tooLarge tells of a larger one. Anything else under the name (an
// SVG, TGA, ICO or XPM, a file of another user's) never reaches a decoder.
std::optional<std::string> ReadLogoBytes(const std::string& path, bool* tooLarge);

}  // namespace zuno
