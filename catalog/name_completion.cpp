#include "catalog/name_completion.h"

#include <algorithm>
#include <array>

#include "query/sql_lexer.h"

namespace zuno {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// A name as written (quoted or not) as Db2 keeps it.
std::string NameOf(std::string_view written) {
  if (written.empty() || written.front() != '"') return Upper(written);
  std::string name;
  for (std::size_t i = 1; i < written.size(); ++i) {
    if (written[i] != '"') {
      name += written[i];
    } else if (i + 1 < written.size() && written[i + 1] == '"') {
      name += '"';
      ++i;
    } else {
      break;
    }
  }
  return name;
}

bool IsWord(std::string_view token, std::string_view upperWord) {
  return !token.empty() && token.front() != '"' && Upper(token) == upperWord;
}

bool StartsTableName(std::string_view token) {
  for (std::string_view k : {"FROM", "JOIN", "INTO", "UPDATE"})
    if (IsWord(token, k)) return true;
  return false;
}

// Words that follow a table reference and are no alias.
bool EndsReference(std::string_view token) {
  static constexpr std::array<std::string_view, 27> kWords = {
      "WHERE", "ON",    "JOIN",   "INNER",  "LEFT",   "RIGHT",   "FULL",  "OUTER",  "CROSS",
      "GROUP", "ORDER", "HAVING", "UNION",  "EXCEPT", "INTERSECT", "SET", "VALUES", "SELECT",
      "FETCH", "FOR",   "WITH",   "LIMIT",  "USING",  "NATURAL", "FROM", "WHEN",   "OFFSET"};
  for (std::string_view w : kWords)
    if (IsWord(token, w)) return true;
  return false;
}

// The statement cut into names (quoted ones whole) and single punctuation
// characters; strings and comments leave nothing.
std::vector<std::string_view> Tokens(std::string_view sql) {
  std::vector<std::string_view> tokens;
  for (const SqlToken& t : LexSql(sql)) {
    if (t.kind == SqlTokenKind::Word || t.kind == SqlTokenKind::QuotedName || t.kind == SqlTokenKind::Symbol)
      tokens.push_back(TokenText(sql, t));
  }
  return tokens;
}

bool IsName(std::string_view token) { return !token.empty() && (token.front() == '"' || IsSqlNameByte(token.front())); }

// Where the written name that ends at end starts: an unquoted run, or a
// quoted name with its quotes.
std::size_t NameStart(std::string_view text, std::size_t end) {
  if (end >= 2 && text[end - 1] == '"') {
    for (std::size_t i = end - 1; i-- > 0;) {
      if (text[i] != '"') continue;
      if (i > 0 && text[i - 1] == '"') {
        --i;  // a doubled quote inside the name
        continue;
      }
      return i;
    }
    return end;
  }
  std::size_t start = end;
  while (start > 0 && IsSqlNameByte(text[start - 1])) --start;
  return start;
}

// The word before position end, skipping blanks.
std::string_view WordBefore(std::string_view text, std::size_t end) {
  while (end > 0 && IsBlank(text[end - 1])) --end;
  std::size_t start = NameStart(text, end);
  if (start == end && end > 0) start = end - 1;
  return text.substr(start, end - start);
}

}  // namespace

std::vector<TableReference> FindTableReferences(std::string_view sql) {
  std::vector<TableReference> refs;
  std::vector<std::string_view> t = Tokens(sql);
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (!StartsTableName(t[i])) continue;
    const bool list = IsWord(t[i], "FROM");
    std::size_t j = i + 1;
    while (j < t.size() && IsName(t[j]) && !EndsReference(t[j])) {
      TableReference ref;
      ref.table = NameOf(t[j++]);
      if (j + 1 < t.size() && t[j] == "." && IsName(t[j + 1])) {
        ref.schema = ref.table;
        ref.table = NameOf(t[j + 1]);
        j += 2;
      }
      if (j < t.size() && IsWord(t[j], "AS")) ++j;
      if (j < t.size() && IsName(t[j]) && !EndsReference(t[j])) ref.alias = NameOf(t[j++]);
      refs.push_back(std::move(ref));
      if (!list || j >= t.size() || t[j] != ",") break;
      ++j;
    }
    i = j - 1;
  }
  return refs;
}

CompletionContext FindCompletionContext(std::string_view sql, std::size_t cursor, std::string_view defaultSchema,
                                        bool asked) {
  CompletionContext context;
  std::string_view before = sql.substr(0, std::min(cursor, sql.size()));
  std::size_t start = before.size();
  while (start > 0 && IsSqlNameByte(before[start - 1])) --start;
  // An opening quote belongs to the name being typed.
  if (start > 0 && before[start - 1] == '"' && (start < 2 || !IsSqlNameByte(before[start - 2]))) --start;
  context.typed = std::string(before.substr(start));

  if (start > 0 && before[start - 1] == '.') {
    std::size_t qualifierStart = NameStart(before, start - 1);
    std::string_view qualifier = before.substr(qualifierStart, start - 1 - qualifierStart);
    if (qualifier.empty()) return context;
    std::string name = NameOf(qualifier);
    if (StartsTableName(WordBefore(before, qualifierStart))) {
      context.kind = CompletionContext::Kind::Tables;
      context.schema = name;
      return context;
    }
    context.kind = CompletionContext::Kind::Columns;
    context.schema = std::string(defaultSchema);
    context.table = name;
    for (const TableReference& ref : FindTableReferences(sql)) {
      if (ref.alias == name || (ref.alias.empty() && ref.table == name)) {
        if (!ref.schema.empty()) context.schema = ref.schema;
        context.table = ref.table;
        break;
      }
    }
    return context;
  }
  if (asked || StartsTableName(WordBefore(before, start))) context.kind = CompletionContext::Kind::Tables;
  return context;
}

NameList::NameList(std::vector<std::string> names) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& n : names) {
    std::string key = Upper(n);
    keyed.emplace_back(std::move(key), std::move(n));
  }
  std::sort(keyed.begin(), keyed.end());
  keyed.erase(std::unique(keyed.begin(), keyed.end()), keyed.end());
  keys_.reserve(keyed.size());
  names_.reserve(keyed.size());
  for (auto& [key, name] : keyed) {
    keys_.push_back(std::move(key));
    names_.push_back(std::move(name));
  }
}

std::vector<std::string> NameList::StartingWith(std::string_view typed, std::size_t limit) const {
  if (!typed.empty() && typed.front() == '"') typed.remove_prefix(1);
  std::string prefix = Upper(typed);
  std::vector<std::string> found;
  auto it = std::lower_bound(keys_.begin(), keys_.end(), prefix);
  for (; it != keys_.end() && found.size() < limit && it->compare(0, prefix.size(), prefix) == 0; ++it)
    found.push_back(names_[static_cast<std::size_t>(it - keys_.begin())]);
  return found;
}

}  // namespace zuno
