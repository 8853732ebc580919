#include "query/statement_class.h"

#include "sql/sql_lexer.h"

namespace zuno {
namespace {

// Only ASCII letters change: the words compared against are ASCII, and a
// non-ASCII letter must not turn into one of them.
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string FirstWord(std::string_view text) {
  for (const SqlToken& t : LexSql(text)) {
    if (!IsSignificant(t)) continue;
    if (t.kind != SqlTokenKind::Word) return {};
    std::string word(TokenText(text, t));
    for (char& c : word) c = AsciiUpper(c);
    return word;
  }
  return {};
}

StatementPath ClassifyStatement(std::string_view text) {
  const std::string word = FirstWord(text);
  if (word == "SELECT" || word == "WITH" || word == "CALL") return StatementPath::ResultSet;
  return StatementPath::Update;
}

}  // namespace zuno
