// Where the statement's variables stand, for colouring them in the editor:
// the same colons the run asks a value for.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zuno {

struct TextSpan {
  std::size_t begin = 0;  // byte offsets, end excluded
  std::size_t end = 0;
  bool operator==(const TextSpan&) const = default;
};

// A colon outside strings, delimited names and comments that follows a
// blank, line end, tab, apostrophe, comma, vertical bar or closing
// parenthesis, with the name after it up to the next of these characters.
std::vector<TextSpan> VariableSpans(std::string_view text);

}  // namespace zuno
