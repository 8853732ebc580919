// The characters SQL text is read by: what separates its words, and the
// ASCII case mapping that folds an unquoted name or keyword (and every other
// text the program compares without case: a file name's ending, a driver's
// words). Every character looked at is ASCII, so walking UTF-8 bytes never
// changes a character.
#pragma once

#include <string>
#include <string_view>

namespace zuno {

// Space, tab, line feed, carriage return, form feed and vertical tab.
inline constexpr std::string_view kSqlBlanks = " \t\n\r\f\v";
constexpr bool IsSqlBlank(char c) { return c != '\0' && kSqlBlanks.find(c) != std::string_view::npos; }
// The blanks within one line: what indents it and what stands between the
// words of a directive or a number's digits and its edges.
inline constexpr std::string_view kLineBlanks = " \t";

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
// The text with its ASCII letters in upper case; every other byte as it is.
std::string AsciiUpper(std::string_view text);
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// The text with its ASCII letters in lower case; every other byte as it is.
std::string AsciiLower(std::string_view text);

}  // namespace zuno
