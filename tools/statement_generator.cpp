#include "tools/statement_generator.h"

#include <cstddef>

#include "db/db2_identifier.h"
#include "grid/cell_text.h"

namespace zuno {
namespace {

constexpr std::string_view kNullCell = "Null";

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// "from" in any letter case at the given position.
bool IsFromAt(std::string_view text, std::size_t at) {
  constexpr std::string_view kFrom = "from";
  if (text.size() - at < kFrom.size()) return false;
  for (std::size_t i = 0; i < kFrom.size(); ++i)
    if (Lower(text[at + i]) != kFrom[i]) return false;
  return true;
}

// The text after the first "from" that stands between white space (or the
// start of the text) and white space, up to the next white space; empty when
// there is no such "from" or only white space follows it.
std::string_view NameAfterFrom(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (!IsFromAt(text, at)) continue;
    const bool wordStart = at == 0 || IsWhiteSpace(text[at - 1]);
    std::size_t next = at + 4;
    if (!wordStart || next >= text.size() || !IsWhiteSpace(text[next])) continue;
    // "FROM  T" and "from\n\tT" name T as well: a run of white space is one gap.
    while (next < text.size() && IsWhiteSpace(text[next])) ++next;
    std::size_t end = next;
    while (end < text.size() && !IsWhiteSpace(text[end])) ++end;
    return text.substr(next, end - next);
  }
  return {};
}

// The text between two quote characters, each quote inside it doubled. A
// lone one would end the literal or name and let the rest run as SQL: 'a'='a
// in a WHERE clause matches every row.
std::string Delimited(std::string_view text, char quote) {
  std::string out(1, quote);
  for (char c : text) {
    if (c == quote) out += quote;
    out += c;
  }
  out += quote;
  return out;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One cell of the selected row with what the grid knew of it.
struct Cell {
  std::string_view text;
  ValueType type = ValueType::Unknown;
  bool null = false;
  ValueKind kind = ValueKind::Text;
};

Cell CellAt(const GeneratorInput& input, std::size_t column) {
  Cell cell;
  if (column < input.values.size()) cell.text = input.values[column];
  if (column < input.types.size()) cell.type = input.types[column];
  if (column < input.nulls.size()) cell.null = input.nulls[column];
  if (column < input.kinds.size()) cell.kind = input.kinds[column];
  return cell;
}

// A value that was never fetched whole is known as NULL at most.
bool IsLeftOut(const Cell& cell) { return cell.kind == ValueKind::Unread && !cell.null; }


// Without the grid's knowledge the text decides; a number column pads its
// NULL to the column's width.
bool IsNull(const Cell& cell) {
  return cell.null || (cell.type == ValueType::Unknown && TrimBlanks(cell.text) == kNullCell);
}

std::string CellForm(const Cell& cell) { return ValueForm(cell.text, cell.type, cell.null, cell.kind); }

std::string Assignment(std::string_view title, const Cell& cell) {
  return Db2Name(title) + " = " + CellForm(cell);
}

// "= NULL" is never true, so a WHERE term for a NULL cell must test IS NULL
// or the statement silently touches no row.
std::string Condition(std::string_view title, const Cell& cell) {
  if (IsNull(cell)) return Db2Name(title) + " IS NULL";
  return Assignment(title, cell);
}

// The terms of the columns whose values are known, joined.
template <typename Term>
std::string Joined(const GeneratorInput& input, std::string_view separator, Term term) {
  std::string out;
  bool first = true;
  for (std::size_t column = 0; column < input.titles.size(); ++column) {
    const Cell cell = CellAt(input, column);
    if (IsLeftOut(cell)) continue;
    if (!first) out += separator;
    first = false;
    out += term(input.titles[column], cell);
  }
  return out;
}

// One comment line for each column left out, naming it.
std::string LeftOutComments(const GeneratorInput& input) {
  std::string out;
  for (std::size_t column = 0; column < input.titles.size(); ++column)
    if (IsLeftOut(CellAt(input, column)))
      out += "-- " + Db2Name(input.titles[column]) + " is left out: its value was not fetched whole\n";
  return out;
}

}  // namespace

TargetTable FindTargetTable(std::string_view editorText, std::string_view drilledSchema,
                            std::string_view drilledName) {
  const std::string_view name = NameAfterFrom(editorText);
  if (!name.empty()) return {std::string(name), true};
  return {Db2Name(drilledSchema) + "." + Db2Name(drilledName), false};
}

bool IsDecimalNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return false;

  std::size_t at = 0;
  auto sign = [&] {
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  };
  auto digits = [&] {
    const std::size_t from = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at > from;
  };

  sign();
  if (!digits()) return false;
  if (at < text.size() && text[at] == '.') {
    ++at;
    if (!digits()) return false;
  }
  if (at < text.size() && (text[at] == 'E' || text[at] == 'e')) {
    ++at;
    sign();
    if (!digits()) return false;
  }
  return at == text.size();
}

std::string ValueForm(std::string_view value, ValueType type, bool null, ValueKind kind) {
  if (IsNull(Cell{value, type, null, kind})) return "NULL";
  if (kind == ValueKind::Binary) {
    std::string literal = "X'" + HexDigits(value) + "'";
    return type == ValueType::Blob ? "BLOB(" + literal + ")" : literal;
  }
  // A text column's "01" is not the number 1.
  if (type != ValueType::Text && IsDecimalNumber(value)) return std::string(value);
  return Delimited(value, '\'');
}

std::string GenerateInsert(const GeneratorInput& input) {
  const TargetTable target =
      FindTargetTable(input.editorText, input.drilledSchema, input.drilledName);
  auto title = [](std::string_view text, const Cell&) { return Db2Name(text); };
  auto value = [](std::string_view, const Cell& cell) { return CellForm(cell); };
  return LeftOutComments(input) + "insert into " + target.name + " (" + Joined(input, ",", title) +
         ") Values (" + Joined(input, ",", value) + ")";
}

std::string GenerateUpdate(const GeneratorInput& input) {
  const TargetTable target =
      FindTargetTable(input.editorText, input.drilledSchema, input.drilledName);
  std::string out = LeftOutComments(input) + (target.fromText ? "update  " : "update ") + target.name;
  out += " set " + Joined(input, ",", Assignment);
  // Every term is followed by " and "; the last "and " goes, its blank stays.
  out += " where ";
  if (!input.titles.empty()) out += Joined(input, " and ", Condition) + " ";
  return out;
}

std::string GenerateDelete(const GeneratorInput& input) {
  const TargetTable target =
      FindTargetTable(input.editorText, input.drilledSchema, input.drilledName);
  return LeftOutComments(input) + "delete from " + target.name + " where " + Joined(input, " and ", Condition);
}

}  // namespace zuno
