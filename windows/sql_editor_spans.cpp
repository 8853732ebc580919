#include "windows/sql_editor_spans.h"

#include "query/comment_removal.h"
#include "sql/sql_lexer.h"

namespace zuno {

std::vector<TextSpan> VariableSpans(std::string_view editorText) {
  const StatementText statement = PrepareStatementText(editorText);
  std::vector<TextSpan> spans = ScanVariableSpans(statement.text);
  // A span lies within one kept piece: a removed comment ends at a line end
  // and a line end ends every name.
  for (TextSpan& span : spans) span = {statement.EditorOffset(span.begin), statement.EditorOffset(span.end - 1) + 1};
  return spans;
}

std::vector<TextSpan> QualifiedNameSpans(std::string_view editorText) {
  std::vector<TextSpan> spans;
  const std::vector<SqlToken> tokens = LexSql(editorText);
  auto isDot = [&](std::size_t k) {
    return k < tokens.size() && IsSymbol(editorText, tokens[k], '.');
  };
  auto isNumber = [&](std::size_t k) {
    return tokens[k].kind == SqlTokenKind::Word && editorText[tokens[k].begin] >= '0' && editorText[tokens[k].begin] <= '9';
  };
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    if (tokens[k].kind != SqlTokenKind::Word || isNumber(k)) continue;
    const bool beforeDot = isDot(k + 1);
    const bool afterDot = k >= 1 && isDot(k - 1) && !(k >= 2 && isNumber(k - 2));  // not the E5 of 1.E5
    if (beforeDot || afterDot) spans.push_back({tokens[k].begin, tokens[k].end});
  }
  return spans;
}

}  // namespace zuno
