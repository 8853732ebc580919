// The one reader of SQL text: where its strings, delimited names, comments,
// words and blanks are. Comment removal, the variable scan, the
// classification, the editor's colouring of variables, the completion, the
// script splitter and the statement generator all see the text through it,
// so they agree on what a comment or a string is.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace zuno {

enum class SqlTokenKind {
  Blank,         // spaces, tabs, line ends
  Word,          // a run of name characters: keywords, names, numbers
  String,        // '...' with '' inside; to the end of the text when not closed
  QuotedName,    // "..." with "" inside; likewise
  LineComment,   // "--" up to the line end, which is not part of it
  BlockComment,  // "/*" to "*/"; to the end of the text when not closed
  Symbol,        // any other single character
};

struct SqlToken {
  SqlTokenKind kind = SqlTokenKind::Blank;
  std::size_t begin = 0;  // byte offsets into the text, end excluded
  std::size_t end = 0;
};

// Letters, digits, _, @, #, $ and every byte of a non-ASCII character: what
// an unquoted name or a keyword is made of.
bool IsSqlNameByte(char c);

// The text cut into tokens that cover it whole, in order. Every character
// looked at is ASCII, so walking UTF-8 bytes never splits a character.
std::vector<SqlToken> LexSql(std::string_view text);

// The token's text.
inline std::string_view TokenText(std::string_view text, const SqlToken& t) {
  return text.substr(t.begin, t.end - t.begin);
}

// Whether the token is written by the statement itself: not a string, a
// delimited name or a comment.
inline bool IsCode(const SqlToken& t) {
  return t.kind == SqlTokenKind::Blank || t.kind == SqlTokenKind::Word || t.kind == SqlTokenKind::Symbol;
}

// Whether the token is the symbol c.
inline bool IsSymbol(std::string_view text, const SqlToken& t, char c) {
  return t.kind == SqlTokenKind::Symbol && text[t.begin] == c;
}

// Whether the token says something: not a blank or a comment.
inline bool IsSignificant(const SqlToken& t) {
  return t.kind != SqlTokenKind::Blank && t.kind != SqlTokenKind::LineComment &&
         t.kind != SqlTokenKind::BlockComment;
}

}  // namespace zuno
