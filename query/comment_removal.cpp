#include "query/comment_removal.h"

#include <algorithm>

namespace zuno {
namespace {

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Position just past the line end that starts at position at (CR LF, LF or a
// lone CR); at itself when no line end starts there.
std::size_t PastLineEnd(std::string_view text, std::size_t at) {
  if (at >= text.size()) return at;
  if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return at + 2;
  return IsLineEnd(text[at]) ? at + 1 : at;
}

}  // namespace

std::string RemoveComments(std::string_view text) {
  // All the characters looked at are ASCII, so walking UTF-8 bytes finds the
  // same comments as walking characters.
  std::string kept;
  kept.reserve(text.size());
  bool quoted = false;
  std::size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == '\'') quoted = !quoted;
    if (!quoted && c == '-' && i + 1 < text.size() && text[i + 1] == '-') {
      std::size_t lineEnd = i;
      while (lineEnd < text.size() && !IsLineEnd(text[lineEnd])) ++lineEnd;
      i = kept.empty() ? PastLineEnd(text, lineEnd) : lineEnd;
      continue;
    }
    kept += c;
    ++i;
  }
  return kept;
}

std::string FlattenCarriageReturns(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}

}  // namespace zuno
