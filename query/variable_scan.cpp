#include "query/variable_scan.h"

#include "base/utf8.h"
#include "sql/sql_lexer.h"

namespace zuno {

// A line end or a tab ends a name as a blank does: the editor's lines end
// with a line feed, and a name taken with it would swallow the next line.
bool EndsVariable(char c) {
  return c == '\'' || c == ',' || c == '|' || c == ')' || c == ' ' || c == '\n' || c == '\r' ||
         c == '\t';
}

namespace {

std::string ReplaceAll(std::string_view text, std::string_view name, std::string_view answer) {
  std::string replaced;
  std::size_t from = 0;
  for (std::size_t at = text.find(name); at != std::string_view::npos;
       at = text.find(name, from)) {
    replaced.append(text, from, at - from);
    replaced += answer;
    from = at + name.size();
  }
  replaced.append(text, from);
  return replaced;
}

}  // namespace

std::vector<bool> VariableColons(std::string_view text) {
  std::vector<bool> colons(text.size(), false);
  // A colon with no name character right after it (a label's "fetch_done :",
  // an assignment's ":=") names nothing.
  for (const SqlToken& t : LexSql(text))
    if (IsSymbol(text, t, ':') && t.end < text.size() && IsSqlNameByte(text[t.end]))
      colons[t.begin] = true;
  return colons;
}

std::vector<TextSpan> ScanVariableSpans(std::string_view text) {
  // Delimiters are ASCII and never part of a multi-byte character, so the
  // scan walks bytes; only "the last character" and "the one before it" are
  // found as whole characters.
  std::vector<TextSpan> spans;
  const std::vector<bool> colons = VariableColons(text);
  const std::size_t last = utf8::PreviousCharacter(text, text.size());
  const std::size_t beforeLast = utf8::PreviousCharacter(text, last);
  std::size_t colon = 0;
  bool inVariable = false;
  for (std::size_t i = 0; i < last && spans.size() < kMaxVariables; ++i) {
    char c = text[i];
    if (colons[i]) {
      colon = i;
      inVariable = true;
      continue;
    }
    const bool atEnd = i == beforeLast;
    if (!inVariable || !(EndsVariable(c) || atEnd)) continue;
    // A colon that follows anything else (a parenthesis, "=", a letter)
    // starts no variable; it stays pending until the next colon.
    if (colon == 0 || !EndsVariable(text[colon - 1])) continue;
    // A name that runs to the end stops before a last character that ends
    // names, so a statement ending with a line feed keeps it.
    std::size_t end = i;
    if (!EndsVariable(c)) end = EndsVariable(text[last]) ? last : text.size();
    spans.push_back({colon, end});
    inVariable = false;
  }
  return spans;
}

std::vector<std::string> ScanVariables(std::string_view text) {
  std::vector<std::string> names;
  for (const TextSpan& span : ScanVariableSpans(text)) names.emplace_back(text.substr(span.begin, span.end - span.begin));
  return names;
}

std::string VariablePrompt(std::string_view name) {
  return "Enter data for variable " + std::string(name);
}

std::optional<std::string> FillVariables(std::string text, const AskVariable& ask) {
  const std::vector<std::string> names = ScanVariables(text);
  std::string_view previous;
  for (const std::string& name : names) {
    if (name != previous) {
      std::string answer = ask(name);
      if (answer.empty()) return std::nullopt;
      text = ReplaceAll(text, name, answer);
    }
    previous = name;
  }
  return text;
}

}  // namespace zuno
