#pragma once

#include <string>

namespace zuno {

// HOME with a "/" appended when it is longer than one character and lacks one;
// empty when HOME is not set, which puts the user's files in the working directory.
std::string HomeDirectoryFrom(const char* home);
std::string HomeDirectory();

}  // namespace zuno
