// "zuno.ini": the last data source and the last user, two CR LF lines.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

struct Settings {
  std::optional<std::string> lastConnect;  // set when a line named it
  std::optional<std::string> lastUser;
};

constexpr std::string_view kSettingsFileName = "zuno.ini";
// Two short lines need no more; a larger file is not read.
constexpr std::size_t kMaxSettingsBytes = 4 << 20;
constexpr std::string_view kSettingsTooLarge = "zuno.ini is larger than 4 MB and was not read.";

std::string SettingsPath(const std::string& homeDirectory);

// Lines end at LF, CR LF or a lone CR. A line that holds "lastconnect=" anywhere
// gives its text from the 13th character on, "lastuser=" from the 10th; a later
// line wins. Characters are counted as UTF-8 sequences; a stray byte counts as one.
Settings ParseSettings(std::string_view text);

std::string FormatSettings(std::string_view dataSource, std::string_view user);

// Reads the file; nullopt when it is missing, unreadable, no regular file (a
// pipe there is never waited for), another user's or larger than
// kMaxSettingsBytes, which sets *tooLarge when given.
std::optional<Settings> ReadSettingsFile(const std::string& path, bool* tooLarge = nullptr);

// Replaces the file as a whole: the new text goes to a temporary file beside it,
// which is then renamed over the old one, so an interrupted exit never leaves a
// half-written file. A symbolic link of the user's own at the path is followed
// and stays; one of another user's is not written through. Returns false (and
// leaves the old file) when writing fails.
bool WriteSettingsFile(const std::string& path, std::string_view dataSource, std::string_view user);

}  // namespace zuno
