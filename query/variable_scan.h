// Variables in a statement: a colon and a name, asked for and replaced by
// the user's answer before the statement runs.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

// The statement holds at most this many variable occurrences; the scan stops
// at the last one and leaves the rest of the text as typed.
constexpr std::size_t kMaxVariables = 1000;

// Where a variable stands: byte offsets, end excluded.
struct TextSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const TextSpan&) const = default;
};

// Where the variables stand, in order of occurrence, each from its colon to
// the end of its name; a name that occurs twice stands twice. A variable
// must follow an apostrophe, comma, vertical bar, closing parenthesis,
// space, line feed, carriage return or tab and ends at the next of these;
// colons inside strings, delimited names and comments start none, nor does
// one not directly followed by a name character (letter, digit, _, $, #,
// @), as in a label "fetch_done :" or ":=". The
// text's last character is never looked at, so a variable of one letter
// that ends the text is not found, while a longer one is taken up to the end
// (or up to a last character that ends names).
std::vector<TextSpan> ScanVariableSpans(std::string_view text);

// The texts of those spans: each name with its colon, as written.
std::vector<std::string> ScanVariables(std::string_view text);

// For each byte of text, whether it is a colon that may start a variable:
// one outside strings, delimited names and comments, with a name character
// right after it.
std::vector<bool> VariableColons(std::string_view text);

// Whether the character ends a variable's name (and may stand before its colon).
bool EndsVariable(char c);

// "Enter data for variable " and the name: the input dialog's prompt.
std::string VariablePrompt(std::string_view name);

// Answers a variable's prompt; an empty answer (or a closed dialog) means
// the user gave up.
using AskVariable = std::function<std::string(std::string_view name)>;

// Asks for every variable of text whose name differs from the one listed
// before it and replaces all occurrences of the name (case-sensitive, plain
// substring, so :A also changes :AB) by the answer as typed. A name that
// recurs later, not next to itself, is asked again although its occurrences
// are already gone. Returns nullopt at the first empty answer.
std::optional<std::string> FillVariables(std::string text, const AskVariable& ask);

}  // namespace zuno
