#include "windows/sql_variable_spans.h"

#include "query/variable_scan.h"

namespace zuno {

std::vector<TextSpan> VariableSpans(std::string_view text) {
  std::vector<TextSpan> spans;
  const std::vector<bool> colons = VariableColons(text);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!colons[i] || i == 0 || !EndsVariable(text[i - 1])) continue;
    std::size_t end = i + 1;
    while (end < text.size() && !EndsVariable(text[end]) && text[end] != ':') ++end;
    if (end > i + 1) spans.push_back({i, end});
    i = end - 1;
  }
  return spans;
}

}  // namespace zuno
