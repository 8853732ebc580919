#include "sql/sql_lexer.h"

#include "sql/sql_characters.h"

namespace zuno {
namespace {

bool Starts(std::string_view text, std::size_t at, std::string_view what) {
  return text.substr(at, what.size()) == what;
}

// Past the closing quote; a doubled quote stands for one inside.
std::size_t PastQuoted(std::string_view text, std::size_t open) {
  const char quote = text[open];
  std::size_t i = open + 1;
  while (i < text.size()) {
    if (text[i] != quote) {
      ++i;
    } else if (i + 1 < text.size() && text[i + 1] == quote) {
      i += 2;
    } else {
      return i + 1;
    }
  }
  return text.size();
}

SqlToken NextToken(std::string_view text, std::size_t i) {
  const char c = text[i];
  std::size_t end = i + 1;
  SqlTokenKind kind = SqlTokenKind::Symbol;
  if (IsSqlBlank(c)) {
    kind = SqlTokenKind::Blank;
    while (end < text.size() && IsSqlBlank(text[end])) ++end;
  } else if (IsSqlNameByte(c)) {
    kind = SqlTokenKind::Word;
    while (end < text.size() && IsSqlNameByte(text[end])) ++end;
  } else if (c == '\'' || c == '"') {
    kind = c == '\'' ? SqlTokenKind::String : SqlTokenKind::QuotedName;
    end = PastQuoted(text, i);
  } else if (Starts(text, i, "--")) {
    kind = SqlTokenKind::LineComment;
    end = text.find_first_of("\r\n", i);
    if (end == std::string_view::npos) end = text.size();
  } else if (Starts(text, i, "/*")) {
    kind = SqlTokenKind::BlockComment;
    end = text.find("*/", i + 2);
    end = end == std::string_view::npos ? text.size() : end + 2;
  }
  return {kind, i, end};
}

}  // namespace

bool IsSqlNameByte(char c) {
  auto u = static_cast<unsigned char>(c);
  return u >= 0x80 || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || c == '_' ||
         c == '@' || c == '#' || c == '$';
}

std::vector<SqlToken> LexSql(std::string_view text) {
  std::vector<SqlToken> tokens;
  for (std::size_t i = 0; i < text.size(); i = tokens.back().end) tokens.push_back(NextToken(text, i));
  return tokens;
}

}  // namespace zuno
