#include "query/statement_class.h"

namespace zuno {
namespace {

bool IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Only ASCII letters change: the words compared against are ASCII, and a
// non-ASCII letter must not turn into one of them.
char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string FirstWord(std::string_view text) {
  std::size_t from = 0;
  while (from < text.size() && IsWhiteSpace(text[from])) ++from;
  std::string word;
  for (std::size_t i = from; i < text.size() && !IsWhiteSpace(text[i]); ++i)
    word += AsciiUpper(text[i]);
  return word;
}

StatementPath ClassifyStatement(std::string_view text) {
  const std::string word = FirstWord(text);
  if (word == "SELECT" || word == "WITH" || word == "CALL") return StatementPath::ResultSet;
  return StatementPath::Update;
}

}  // namespace zuno
