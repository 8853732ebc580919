// The user's own choices that outlive the run beside zuno.ini, whose two
// lines stay as they are: "$XDG_CONFIG_HOME/zuno/options" (or
// ~/.config/zuno/options), one "name=value" a line. Lines it does not know
// are kept as they stand when it is written again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

struct UserOptions {
  bool autocommit = true;  // "autocommit=on" or "autocommit=off"
  std::vector<std::string> otherLines;
};

// A file this large is no options file.
constexpr std::size_t kMaxUserOptionsBytes = 64 << 10;

// The path as above, XDG_CONFIG_HOME taken only when absolute; empty
// without it and without a home directory.
std::string UserOptionsPath(const char* configHome, const std::string& homeDirectory);

UserOptions ParseUserOptions(std::string_view text);
std::string FormatUserOptions(const UserOptions& options);

// nullopt for a missing file, or one that is no regular file of the user's
// own of at most kMaxUserOptionsBytes.
std::optional<UserOptions> ReadUserOptions(const std::string& path);
// Replaces the file whole (its folder made for the user alone where
// missing); the empty text when it was written, else what the user is told.
std::string WriteUserOptions(const std::string& path, const UserOptions& options);

}  // namespace zuno
