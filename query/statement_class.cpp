#include "query/statement_class.h"

#include "sql/sql_characters.h"
#include "sql/sql_lexer.h"

namespace zuno {

std::string FirstWord(std::string_view text) {
  for (const SqlToken& t : LexSql(text)) {
    if (!IsSignificant(t)) continue;
    if (t.kind != SqlTokenKind::Word) return {};
    // Only ASCII letters change: the words compared against are ASCII, and a
    // non-ASCII letter must not turn into one of them.
    return AsciiUpper(TokenText(text, t));
  }
  return {};
}

StatementPath ClassifyStatement(std::string_view text) {
  const std::string word = FirstWord(text);
  if (word == "SELECT" || word == "WITH" || word == "CALL") return StatementPath::ResultSet;
  return StatementPath::Update;
}

}  // namespace zuno
