#include "base/text_lines.h"

namespace zuno {

std::size_t LineEndLength(std::string_view text, std::size_t at) {
  if (at >= text.size() || !IsLineEndChar(text[at])) return 0;
  return text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

bool ClosesLine(std::string_view text, std::size_t at) {
  return at < text.size() && (text[at] == '\n' || LineEndLength(text, at) == 1);
}

std::vector<EndedLine> SplitEndedLines(std::string_view text) {
  std::vector<EndedLine> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t end = LineEndLength(text, i);
    if (end == 0) continue;
    lines.push_back({text.substr(start, i - start), text.substr(i, end)});
    i += end - 1;
    start = i + 1;
  }
  lines.push_back({text.substr(start), {}});
  return lines;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (const EndedLine& line : SplitEndedLines(text)) lines.push_back(line.text);
  if (lines.back().empty()) lines.pop_back();  // nothing after the last line end
  return lines;
}

}  // namespace zuno
