#include "tools/statement_generator.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "grid/cell_text.h"
#include "sql/db2_identifier.h"
#include "sql/sql_characters.h"
#include "sql/sql_lexer.h"

namespace zuno {
namespace {

constexpr std::string_view kNullCell = "Null";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The name after the statement's first FROM outside parentheses (not one
// after a point, which names a column), up to white space, a comment, a
// string, ";", "," or ")"; empty when there is no such FROM or nothing
// follows it.
std::string NameAfterFrom(std::string_view text) {
  const std::vector<SqlToken> tokens = LexSql(text);
  int depth = 0;
  const SqlToken* previous = nullptr;  // the last significant token
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    const SqlToken& t = tokens[k];
    if (!IsSignificant(t)) continue;
    const bool from = depth == 0 && t.kind == SqlTokenKind::Word && AsciiUpper(TokenText(text, t)) == "FROM" &&
                      !(previous && IsSymbol(text, *previous, '.'));
    previous = &t;
    if (IsSymbol(text, t, '(')) ++depth;
    if (IsSymbol(text, t, ')') && depth > 0) --depth;
    if (!from) continue;
    std::size_t n = k + 1;
    while (n < tokens.size() && !IsSignificant(tokens[n])) ++n;
    std::string name;
    for (; n < tokens.size(); ++n) {
      const SqlToken& u = tokens[n];
      if (!IsSignificant(u) || u.kind == SqlTokenKind::String) break;
      if (IsSymbol(text, u, ';') || IsSymbol(text, u, ',') || IsSymbol(text, u, ')')) break;
      name += TokenText(text, u);
    }
    return name;
  }
  return {};
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kLineBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kLineBlanks) - first + 1);
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
bool IsUnread(const Cell& cell) { return cell.kind == ValueKind::Unread && !cell.null; }

// Without the grid's knowledge the text decides; a number column pads its
// NULL to the column's width.
bool IsNull(const Cell& cell) {
  return cell.null || (cell.type == ValueType::Unknown && TrimBlanks(cell.text) == kNullCell);
}

// Why a column cannot stand in a WHERE clause, or nothing when it can. Db2
// compares a large object or XML with nothing but IS NULL, which a NULL
// cell still gets.
std::string_view WhyNotCompared(const Cell& cell) {
  if (IsUnread(cell)) return "its value was not fetched whole";
  if (IsNull(cell)) return {};
  if (cell.type == ValueType::Blob || cell.type == ValueType::LargeText)
    return "Db2 cannot compare a large object or XML with =";
  return {};
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

// The terms of the columns that keep, joined.
template <typename Keep, typename Term>
std::string Joined(const GeneratorInput& input, std::string_view separator, Keep keep, Term term) {
  std::string out;
  bool first = true;
  for (std::size_t column = 0; column < input.titles.size(); ++column) {
    const Cell cell = CellAt(input, column);
    if (!keep(cell)) continue;
    if (!first) out += separator;
    first = false;
    out += term(input.titles[column], cell);
  }
  return out;
}

bool Always(const Cell&) { return true; }
bool Comparable(const Cell& cell) { return WhyNotCompared(cell).empty(); }

// The WHERE terms, and a comment line for each column left out of them.
struct WhereClause {
  std::string terms;
  std::string comments;
};

// Where each column of the key stands in the row, once; empty when one is
// missing or twice there, or its value cannot be compared or is NULL, which
// no key's value is in the table.
std::vector<std::size_t> KeyPlaces(const GeneratorInput& input) {
  std::vector<std::size_t> places;
  for (const std::string& key : input.keyColumns) {
    const auto at = std::find(input.titles.begin(), input.titles.end(), key);
    if (at == input.titles.end() || std::count(at, input.titles.end(), key) != 1) return {};
    const auto column = static_cast<std::size_t>(at - input.titles.begin());
    const Cell cell = CellAt(input, column);
    if (!Comparable(cell) || IsNull(cell)) return {};
    places.push_back(column);
  }
  return places;
}

WhereClause Where(const GeneratorInput& input) {
  if (const std::vector<std::size_t> key = KeyPlaces(input); !key.empty()) {
    WhereClause where;
    for (std::size_t column : key)
      where.terms += (where.terms.empty() ? "" : " and ") + Condition(input.titles[column], CellAt(input, column));
    return where;
  }
  WhereClause where{Joined(input, " and ", Comparable, Condition), ""};
  for (std::size_t column = 0; column < input.titles.size(); ++column) {
    const std::string_view why = WhyNotCompared(CellAt(input, column));
    if (!why.empty())
      where.comments += "-- " + Db2Name(input.titles[column]) + " is left out of the WHERE clause: " +
                        std::string(why) + "\n";
  }
  return where;
}

// The refusal of a row with a value not fetched whole, naming its column;
// empty when every value is whole.
std::string UnreadRefusal(const GeneratorInput& input) {
  for (std::size_t column = 0; column < input.titles.size(); ++column)
    if (IsUnread(CellAt(input, column)))
      return "The value of " + Db2Name(input.titles[column]) +
             " was not fetched whole, so it cannot be written: no statement was written.";
  return {};
}

std::string NoWhereRefusal(std::string_view statement, std::string_view effect) {
  return "No column of the row can be compared in a WHERE clause (large objects, XML and values not "
         "fetched whole are left out): no statement was written, as " +
         std::string(statement) + " without a WHERE clause " + std::string(effect) + ".";
}

}  // namespace

TargetTable FindTargetTable(std::string_view statementText, std::string_view drilledSchema,
                            std::string_view drilledName) {
  std::string name = NameAfterFrom(statementText);
  if (!name.empty()) return {std::move(name), true};
  return {Db2Name(drilledSchema) + "." + Db2Name(drilledName), false};
}

std::optional<CatalogTableName> TargetCatalogName(const GeneratorInput& input) {
  const TargetTable target = FindTargetTable(input.statementText, input.drilledSchema, input.drilledName);
  if (!target.fromText) {
    if (input.drilledName.empty()) return std::nullopt;
    return CatalogTableName{input.drilledSchema, input.drilledName};
  }
  std::vector<std::string> parts;
  bool partDue = true;  // at the start and after each point
  for (const SqlToken& t : LexSql(target.name)) {
    const std::string_view text = TokenText(target.name, t);
    if (!partDue && IsSymbol(target.name, t, '.')) {
      partDue = true;
      continue;
    }
    if (!partDue || (t.kind != SqlTokenKind::Word && t.kind != SqlTokenKind::QuotedName)) return std::nullopt;
    std::string part;
    if (t.kind == SqlTokenKind::Word) {
      part = AsciiUpper(text);
    } else {
      if (text.size() < 2 || text.back() != '"') return std::nullopt;
      for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        part += text[i];
        if (text[i] == '"') ++i;
      }
    }
    parts.push_back(std::move(part));
    partDue = false;
  }
  if (partDue || parts.size() > 2) return std::nullopt;
  if (parts.size() == 2) return CatalogTableName{parts[0], parts[1]};
  if (parts[0] != input.drilledName) return std::nullopt;
  return CatalogTableName{input.drilledSchema, parts[0]};
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
  if (type != ValueType::Text && type != ValueType::LargeText && IsDecimalNumber(value)) return std::string(value);
  return Db2StringLiteral(value);
}

GeneratedStatement GenerateInsert(const GeneratorInput& input) {
  if (std::string refusal = UnreadRefusal(input); !refusal.empty()) return {"", refusal};
  const TargetTable target = FindTargetTable(input.statementText, input.drilledSchema, input.drilledName);
  auto title = [](std::string_view text, const Cell&) { return Db2Name(text); };
  auto value = [](std::string_view, const Cell& cell) { return CellForm(cell); };
  return {"insert into " + target.name + " (" + Joined(input, ",", Always, title) + ") Values (" +
              Joined(input, ",", Always, value) + ")",
          ""};
}

GeneratedStatement GenerateUpdate(const GeneratorInput& input) {
  if (std::string refusal = UnreadRefusal(input); !refusal.empty()) return {"", refusal};
  const WhereClause where = Where(input);
  if (where.terms.empty()) return {"", NoWhereRefusal("an UPDATE", "changes every row")};
  const TargetTable target = FindTargetTable(input.statementText, input.drilledSchema, input.drilledName);
  std::string out = where.comments + (target.fromText ? "update  " : "update ") + target.name;
  out += " set " + Joined(input, ",", Always, Assignment);
  // Every term is followed by " and "; the last "and " goes, its blank stays.
  out += " where " + where.terms + " ";
  return {out, ""};
}

GeneratedStatement GenerateDelete(const GeneratorInput& input) {
  const WhereClause where = Where(input);
  if (where.terms.empty()) return {"", NoWhereRefusal("a DELETE", "removes every row")};
  const TargetTable target = FindTargetTable(input.statementText, input.drilledSchema, input.drilledName);
  return {where.comments + "delete from " + target.name + " where " + where.terms, ""};
}

}  // namespace zuno
