// Lines of text end with LF, CR LF or a lone CR: every reader of lines takes
// them from here.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zuno {

// Whether c is one of the characters line ends are made of.
constexpr bool IsLineEndChar(char c) { return c == '\n' || c == '\r'; }

// The length of the line end that starts at position at: 2 for CR LF, 1 for
// LF or a lone CR, 0 where none starts (or at is past the text).
std::size_t LineEndLength(std::string_view text, std::size_t at);

// Whether the character at position at is the last one of a line end, so that
// counting such positions counts the line ends.
bool ClosesLine(std::string_view text, std::size_t at);

// The lines of a text; the line ends are not part of them, and a last line
// without an end still counts.
std::vector<std::string_view> SplitLines(std::string_view text);

// A line and the end that closes it, empty for the last line.
struct EndedLine {
  std::string_view text;
  std::string_view end;
};
// Every line with its end; a text that ends with a line end has an empty last
// line after it. The texts and ends, joined in order, are the text again.
std::vector<EndedLine> SplitEndedLines(std::string_view text);

}  // namespace zuno
