#include "catalog/name_completion.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <utility>

#include "query/script_splitter.h"
#include "sql/db2_identifier.h"
#include "sql/sql_characters.h"
#include "sql/sql_lexer.h"

namespace zuno {
namespace {

bool IsWord(std::string_view token, std::string_view upperWord) {
  return !token.empty() && token.front() != '"' && AsciiUpper(token) == upperWord;
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
  while (end > 0 && IsSqlBlank(text[end - 1])) --end;
  std::size_t start = NameStart(text, end);
  if (start == end && end > 0) start = end - 1;
  return text.substr(start, end - start);
}

bool IsOneOf(std::string_view token, std::initializer_list<std::string_view> upperWords) {
  for (std::string_view w : upperWords)
    if (IsWord(token, w)) return true;
  return false;
}

// Whether an operand, so a column, may start after the token: a word that
// opens one or an operator, comma or opening parenthesis.
bool OpensOperand(std::string_view sql, const SqlToken& t) {
  std::string_view text = TokenText(sql, t);
  if (t.kind == SqlTokenKind::Symbol) return std::string_view(",(=<>+-*/|").find(text.front()) != std::string_view::npos;
  return t.kind == SqlTokenKind::Word && IsOneOf(text, {"SELECT", "WHERE", "ON", "BY", "SET", "HAVING", "AND", "OR",
                                                        "NOT", "WHEN", "THEN", "ELSE", "CASE", "DISTINCT", "LIKE",
                                                        "BETWEEN"});
}

// Whether a column may stand at the end of the statement's text: an operand
// starts there, and the clause it is in (the nearest clause word before it,
// parentheses closed before it skipped) is one whose operands are columns.
bool ColumnMayStand(std::string_view statement) {
  std::vector<SqlToken> code;
  for (const SqlToken& t : LexSql(statement))
    if (t.kind != SqlTokenKind::Blank && t.kind != SqlTokenKind::LineComment && t.kind != SqlTokenKind::BlockComment)
      code.push_back(t);
  if (code.empty() || !OpensOperand(statement, code.back())) return false;
  int depth = 0;  // parentheses closed between the token and the cursor
  for (std::size_t k = code.size(); k-- > 0;) {
    std::string_view text = TokenText(statement, code[k]);
    if (code[k].kind == SqlTokenKind::Symbol) {
      if (text == ")") ++depth;
      if (text == "(" && depth > 0) --depth;
      continue;
    }
    if (depth > 0 || code[k].kind != SqlTokenKind::Word) continue;
    if (IsOneOf(text, {"SELECT", "WHERE", "ON", "BY", "SET", "HAVING"})) return true;
    if (IsOneOf(text, {"FROM", "JOIN", "INTO", "UPDATE", "VALUES"})) return false;
  }
  return false;
}

// The statement the cursor is in, as the script splitter cuts the text: its
// first byte and its whole text.
std::pair<std::size_t, std::string_view> StatementAtCursor(std::string_view sql, std::size_t cursor) {
  const std::vector<ScriptStatement> statements = SplitScript(sql);
  if (statements.empty()) return {cursor, {}};
  const ScriptStatement& st = statements[StatementAt(statements, cursor)];
  if (st.begin > cursor) return {cursor, {}};
  return {st.begin, sql.substr(st.begin, st.end - st.begin)};
}

ColumnSource SourceOf(const TableReference& ref, std::string_view defaultSchema) {
  return {ref.schema.empty() ? std::string(defaultSchema) : ref.schema, ref.table, ""};
}

std::string TypedKey(std::string_view typed) {
  if (!typed.empty() && typed.front() == '"') typed.remove_prefix(1);
  return AsciiUpper(typed);
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
      ref.table = Db2NameWritten(t[j++]);
      if (j + 1 < t.size() && t[j] == "." && IsName(t[j + 1])) {
        ref.schema = ref.table;
        ref.table = Db2NameWritten(t[j + 1]);
        j += 2;
      }
      if (j < t.size() && IsWord(t[j], "AS")) ++j;
      if (j < t.size() && IsName(t[j]) && !EndsReference(t[j])) ref.alias = Db2NameWritten(t[j++]);
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
  // The statement at the cursor, split out of the whole text only where its
  // tables are needed, and read without the name being typed: an opening
  // quote would take the rest of the text into a name.
  std::string withoutTyped;
  auto statementAtCursor = [&] {
    withoutTyped = std::string(sql.substr(0, start)) + std::string(sql.substr(before.size()));
    return StatementAtCursor(withoutTyped, start);
  };

  if (start > 0 && before[start - 1] == '.') {
    std::size_t qualifierStart = NameStart(before, start - 1);
    std::string_view qualifier = before.substr(qualifierStart, start - 1 - qualifierStart);
    if (qualifier.empty()) return context;
    std::string name = Db2NameWritten(qualifier);
    if (StartsTableName(WordBefore(before, qualifierStart))) {
      context.kind = CompletionContext::Kind::Tables;
      context.schema = name;
      return context;
    }
    context.kind = CompletionContext::Kind::Columns;
    // SCHEMA.TABLE. names its table whole, whatever the statement names.
    if (qualifierStart > 0 && before[qualifierStart - 1] == '.') {
      std::size_t schemaStart = NameStart(before, qualifierStart - 1);
      std::string_view schema = before.substr(schemaStart, qualifierStart - 1 - schemaStart);
      if (!schema.empty()) {
        context.tables = {{Db2NameWritten(schema), name, ""}};
        return context;
      }
    }
    context.tables = {{std::string(defaultSchema), name, ""}};
    for (const TableReference& ref : FindTableReferences(statementAtCursor().second)) {
      if (ref.alias == name || (ref.alias.empty() && ref.table == name)) {
        context.tables = {SourceOf(ref, defaultSchema)};
        break;
      }
    }
    return context;
  }
  if (StartsTableName(WordBefore(before, start))) {
    context.kind = CompletionContext::Kind::Tables;
    return context;
  }
  if (!asked && context.typed.empty()) return context;
  const auto [statementBegin, statement] = statementAtCursor();
  if (statementBegin <= start &&
      ColumnMayStand(std::string_view(withoutTyped).substr(statementBegin, start - statementBegin))) {
    const std::vector<TableReference> refs = FindTableReferences(statement);
    for (const TableReference& ref : refs) {
      context.tables.push_back(SourceOf(ref, defaultSchema));
      if (refs.size() > 1) context.tables.back().mark = Db2Name(ref.alias.empty() ? ref.table : ref.alias);
    }
    if (!refs.empty()) {
      context.kind = CompletionContext::Kind::Columns;
      return context;
    }
  }
  if (asked) context.kind = CompletionContext::Kind::Tables;
  return context;
}

bool StartsWithTyped(std::string_view name, std::string_view typed) {
  const std::string key = TypedKey(typed);
  return name.size() >= key.size() && AsciiUpper(name.substr(0, key.size())) == key;
}

NameList::NameList(std::vector<std::string> names) {
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& n : names) {
    std::string key = AsciiUpper(n);
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
  const std::string prefix = TypedKey(typed);
  std::vector<std::string> found;
  auto it = std::lower_bound(keys_.begin(), keys_.end(), prefix);
  for (; it != keys_.end() && found.size() < limit && it->compare(0, prefix.size(), prefix) == 0; ++it)
    found.push_back(names_[static_cast<std::size_t>(it - keys_.begin())]);
  return found;
}

}  // namespace zuno
