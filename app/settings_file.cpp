#include "app/settings_file.h"

#include "base/text_file.h"
#include "base/text_lines.h"
#include "base/utf8.h"

namespace zuno {
namespace {

constexpr std::string_view kLastConnect = "lastconnect=";
constexpr std::string_view kLastUser = "lastuser=";

// The text of line from its (count + 1)-th character on.
std::string_view FromCharacter(std::string_view line, size_t count) {
  size_t pos = 0;
  // A stray byte counts as a character of its own.
  for (size_t i = 0; i < count && pos < line.size(); ++i) pos = utf8::NextCharacter(line, pos);
  return line.substr(pos);
}

}  // namespace

std::string SettingsPath(const std::string& homeDirectory) {
  return homeDirectory + std::string(kSettingsFileName);
}

Settings ParseSettings(std::string_view text) {
  Settings s;
  for (std::string_view line : SplitLines(text)) {
    if (line.find(kLastConnect) != std::string_view::npos)
      s.lastConnect = std::string(FromCharacter(line, kLastConnect.size()));
    if (line.find(kLastUser) != std::string_view::npos)
      s.lastUser = std::string(FromCharacter(line, kLastUser.size()));
  }
  return s;
}

std::string FormatSettings(std::string_view dataSource, std::string_view user) {
  std::string text;
  text.append(kLastConnect).append(dataSource).append("\r\n");
  text.append(kLastUser).append(user).append("\r\n");
  return text;
}

std::optional<Settings> ReadSettingsFile(const std::string& path, bool* tooLarge) {
  WholeFile file = ReadOwnFile(path, kMaxSettingsBytes);
  if (tooLarge != nullptr) *tooLarge = file.status == WholeFile::Status::kTooLarge;
  if (!file) return std::nullopt;
  return ParseSettings(file.bytes);
}

bool WriteSettingsFile(const std::string& path, std::string_view dataSource, std::string_view user) {
  // A link of the user's own (a dotfile manager's) stays a link: the file it
  // points to is replaced.
  std::optional<std::string> own = FollowOwnLinks(path);
  return own && ReplaceFileAtomically(*own, FormatSettings(dataSource, user));
}

}  // namespace zuno
