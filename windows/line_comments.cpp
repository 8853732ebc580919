#include "windows/line_comments.h"

#include <vector>

#include "base/text_lines.h"
#include "sql/sql_characters.h"

namespace zuno {
namespace {

std::size_t Indentation(std::string_view line) {
  const std::size_t first = line.find_first_not_of(kLineBlanks);
  return first == std::string_view::npos ? line.size() : first;
}

bool Blank(std::string_view line) { return Indentation(line) == line.size(); }

bool Commented(std::string_view line) { return line.substr(Indentation(line)).starts_with("--"); }

}  // namespace

std::string ToggleLineComments(std::string_view text) {
  const std::vector<EndedLine> lines = SplitEndedLines(text);
  bool allCommented = false;
  for (const EndedLine& line : lines) {
    if (Blank(line.text)) continue;
    allCommented = Commented(line.text);
    if (!allCommented) break;
  }
  std::string out;
  out.reserve(text.size() + 3 * lines.size());
  for (const EndedLine& ended : lines) {
    const std::string_view line = ended.text;
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
    out += ended.end;
  }
  return out;
}

}  // namespace zuno
