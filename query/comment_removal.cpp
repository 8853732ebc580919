#include "query/comment_removal.h"

#include <algorithm>

#include "base/text_lines.h"
#include "sql/sql_lexer.h"

namespace zuno {
namespace {

// Position just past the line end that starts at position at; at itself when
// no line end starts there.
std::size_t PastLineEnd(std::string_view text, std::size_t at) { return at + LineEndLength(text, at); }

// The pieces between the comments, in order; empty ones are left out.
std::vector<KeptPiece> KeptPieces(std::string_view text) {
  std::vector<KeptPiece> pieces;
  std::size_t from = 0;  // where the text still to keep starts
  std::size_t kept = 0;  // bytes kept so far
  auto keep = [&](std::size_t to) {
    if (to > from) pieces.push_back({from, to, kept});
    kept += to - std::min(from, to);
  };
  for (const SqlToken& t : LexSql(text)) {
    if (t.kind != SqlTokenKind::LineComment) continue;
    keep(t.begin);
    from = kept == 0 ? PastLineEnd(text, t.end) : t.end;
  }
  keep(text.size());
  return pieces;
}

std::string Joined(std::string_view text, const std::vector<KeptPiece>& pieces) {
  std::string joined;
  joined.reserve(text.size());
  for (const KeptPiece& p : pieces) joined.append(text, p.begin, p.end - p.begin);
  return joined;
}

}  // namespace

std::string RemoveComments(std::string_view text) { return Joined(text, KeptPieces(text)); }

StatementText PrepareStatementText(std::string_view editorText) {
  StatementText statement;
  statement.pieces = KeptPieces(editorText);
  statement.text = FlattenCarriageReturns(Joined(editorText, statement.pieces));
  return statement;
}

std::size_t StatementText::EditorOffset(std::size_t at) const {
  // The last piece that starts at or before at.
  auto after = std::upper_bound(pieces.begin(), pieces.end(), at,
                                [](std::size_t offset, const KeptPiece& p) { return offset < p.at; });
  if (after == pieces.begin()) return at;
  const KeptPiece& p = *std::prev(after);
  return p.begin + (at - p.at);
}

std::string FlattenCarriageReturns(std::string text) {
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}

}  // namespace zuno
