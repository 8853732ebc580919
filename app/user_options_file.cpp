#include "app/user_options_file.h"

#include <system_error>

#include "app/home_directory.h"
#include "base/text_file.h"
#include "base/text_lines.h"
#include "tools/private_folder.h"

namespace zuno {
namespace {

constexpr std::string_view kAutocommit = "autocommit=";

}  // namespace

std::string UserOptionsPath(const char* configHome, const std::string& homeDirectory) {
  return UserFilePath(configHome, homeDirectory, ".config", "options");
}

UserOptions ParseUserOptions(std::string_view text) {
  UserOptions options;
  for (std::string_view line : SplitLines(text)) {
    if (line.starts_with(kAutocommit)) {
      const std::string_view value = line.substr(kAutocommit.size());
      // Anything but "off" leaves the default: a damaged line never turns
      // autocommit off behind the user's back.
      options.autocommit = value != "off";
    } else if (!line.empty()) {
      options.otherLines.emplace_back(line);
    }
  }
  return options;
}

std::string FormatUserOptions(const UserOptions& options) {
  std::string text = std::string(kAutocommit) + (options.autocommit ? "on" : "off") + "\n";
  for (const std::string& line : options.otherLines) text += line + "\n";
  return text;
}

std::optional<UserOptions> ReadUserOptions(const std::string& path) {
  if (path.empty()) return std::nullopt;
  WholeFile file = ReadOwnFile(path, kMaxUserOptionsBytes);
  if (!file) return std::nullopt;
  return ParseUserOptions(file.bytes);
}

std::string WriteUserOptions(const std::string& path, const UserOptions& options) {
  const std::string failed = "The Autocommit choice could not be kept for the next start: ";
  const std::string folder = path.substr(0, path.rfind('/'));
  if (!MakeOwnFolder(folder)) return failed + folder + " is no folder of the user's own.";
  RemoveStaleReplaces(path);
  const Replaced replaced = ReplaceFileAtomically(path, FormatUserOptions(options), {.mode = 0600, .flush = true});
  if (!replaced) return failed + path + " was not written (" + std::generic_category().message(replaced.error) + ").";
  return {};
}

}  // namespace zuno
