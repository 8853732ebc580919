#include "query/comment_removal.h"

#include <algorithm>

#include "query/sql_lexer.h"

namespace zuno {
namespace {

// Position just past the line end that starts at position at (CR LF, LF or a
// lone CR); at itself when no line end starts there.
std::size_t PastLineEnd(std::string_view text, std::size_t at) {
  if (at >= text.size()) return at;
  if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') return at + 2;
  return text[at] == '\r' || text[at] == '\n' ? at + 1 : at;
}

}  // namespace

std::string RemoveComments(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  std::size_t from = 0;  // where the text still to keep starts
  for (const SqlToken& t : LexSql(text)) {
    if (t.kind != SqlTokenKind::LineComment) continue;
    kept.append(text, from, t.begin - from);
    from = kept.empty() ? PastLineEnd(text, t.end) : t.end;
  }
  if (from < text.size()) kept.append(text, from);
  return kept;
}

std::string FlattenCarriageReturns(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}

}  // namespace zuno
