#include "windows/line_comments.h"

#include <vector>

namespace zuno {
namespace {

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

std::size_t Indentation(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r");
  return first == std::string_view::npos ? line.size() : first;
}

bool Blank(std::string_view line) { return Indentation(line) == line.size(); }

bool Commented(std::string_view line) { return line.substr(Indentation(line)).starts_with("--"); }

}  // namespace

std::string ToggleLineComments(std::string_view text) {
  const std::vector<std::string_view> lines = SplitLines(text);
  bool allCommented = false;
  for (std::string_view line : lines) {
    if (Blank(line)) continue;
    allCommented = Commented(line);
    if (!allCommented) break;
  }
  std::string out;
  out.reserve(text.size() + 3 * lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (i > 0) out += '\n';
    if (Blank(line)) {
      out += line;
    } else if (allCommented) {
      const std::size_t at = Indentation(line);
      std::size_t after = at + 2;
      if (after < line.size() && line[after] == ' ') ++after;
      out.append(line.substr(0, at)).append(line.substr(after));
    } else {
      out.append("-- ").append(line);
    }
  }
  return out;
}

}  // namespace zuno
