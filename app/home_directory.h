#pragma once

#include <string>
#include <string_view>

namespace zuno {

// HOME with a "/" appended when it is longer than one character and lacks one;
// empty when HOME is not set, which puts the user's files in the working directory.
std::string HomeDirectoryFrom(const char* home);
std::string HomeDirectory();

// A file of ZUNO's in one of the user's base folders: "<base>/zuno/<file>",
// where base is the XDG variable's value when it is an absolute path, else
// homeFolder (".config", ".local/state") in the home directory; empty with
// neither.
std::string UserFilePath(const char* xdgValue, const std::string& homeDirectory, std::string_view homeFolder,
                         std::string_view file);

}  // namespace zuno
