#include "sql/db2_identifier.h"

#include <algorithm>
#include <array>

#include "sql/sql_characters.h"

namespace zuno {
namespace {

std::string DoubledQuotes(std::string_view text, char quote) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == quote) out += quote;
    out += c;
  }
  return out;
}

// The words Db2 for LUW and for z/OS reserve, sorted: a bare one would be
// read as the keyword.
// clang-format off
constexpr std::array<std::string_view, 286> kReservedWords = {
    "ADD", "AFTER", "ALIAS", "ALL", "ALLOCATE", "ALLOW", "ALTER", "AND", "ANY", "AS", "ASENSITIVE",
    "ASSOCIATE", "ASUTIME", "AT", "AUDIT", "AUX", "AUXILIARY", "BEFORE", "BEGIN", "BETWEEN",
    "BUFFERPOOL", "BY", "CALL", "CAPTURE", "CASCADED", "CASE", "CAST", "CCSID", "CHAR", "CHARACTER",
    "CHECK", "CLONE", "CLOSE", "CLUSTER", "COLLECTION", "COLLID", "COLUMN", "COMMENT", "COMMIT",
    "CONCAT", "CONDITION", "CONNECT", "CONNECTION", "CONSTRAINT", "CONTAINS", "CONTENT", "CONTINUE",
    "CREATE", "CROSS", "CURRENT", "CURRENT_DATE", "CURRENT_LC_CTYPE", "CURRENT_PATH",
    "CURRENT_SCHEMA", "CURRENT_TIME", "CURRENT_TIMESTAMP", "CURSOR", "DATA", "DATABASE", "DAY",
    "DAYS", "DBINFO", "DECLARE", "DEFAULT", "DELETE", "DESCRIPTOR", "DETERMINISTIC", "DISABLE",
    "DISALLOW", "DISTINCT", "DO", "DOCUMENT", "DOUBLE", "DROP", "DSSIZE", "DYNAMIC", "EDITPROC",
    "ELSE", "ELSEIF", "ENCODING", "ENCRYPTION", "END", "ENDING", "ERASE", "ESCAPE", "EXCEPT",
    "EXCEPTION", "EXECUTE", "EXISTS", "EXIT", "EXPLAIN", "EXTERNAL", "FENCED", "FETCH",
    "FIELDPROC", "FINAL", "FIRST", "FOR", "FREE", "FROM", "FULL", "FUNCTION", "GENERATED", "GET",
    "GLOBAL", "GO", "GOTO", "GRANT", "GROUP", "HANDLER", "HAVING", "HOLD", "HOUR", "HOURS", "IF",
    "IMMEDIATE", "IN", "INCLUSIVE", "INDEX", "INHERIT", "INNER", "INOUT", "INSENSITIVE", "INSERT",
    "INTERSECT", "INTO", "IS", "ISOBID", "ITERATE", "JAR", "JOIN", "KEEP", "KEY", "LABEL",
    "LANGUAGE", "LAST", "LC_CTYPE", "LEAVE", "LEFT", "LIKE", "LIMIT", "LOCAL", "LOCALE", "LOCATOR",
    "LOCATORS", "LOCK", "LOCKMAX", "LOCKSIZE", "LONG", "LOOP", "MAINTAINED", "MATERIALIZED",
    "MICROSECOND", "MICROSECONDS", "MINUTE", "MINUTES", "MODIFIES", "MONTH", "MONTHS", "NEXT",
    "NEXTVAL", "NO", "NONE", "NOT", "NULL", "NULLS", "NUMPARTS", "OBID", "OF", "OFFSET", "OLD",
    "ON", "OPEN", "OPTIMIZATION", "OPTIMIZE", "OR", "ORDER", "ORGANIZATION", "OUT", "OUTER",
    "PACKAGE", "PADDED", "PARAMETER", "PART", "PARTITION", "PARTITIONED", "PARTITIONING", "PATH",
    "PERIOD", "PIECESIZE", "PLAN", "PRECISION", "PREPARE", "PREVVAL", "PRIOR", "PRIQTY",
    "PRIVILEGES", "PROCEDURE", "PROGRAM", "PSID", "PUBLIC", "QUERY", "QUERYNO", "READS",
    "REFERENCES", "REFRESH", "RELEASE", "RENAME", "REPEAT", "RESIGNAL", "RESTRICT", "RESULT",
    "RESULT_SET_LOCATOR", "RETURN", "RETURNS", "REVOKE", "RIGHT", "ROLE", "ROLLBACK", "ROW",
    "ROWSET", "RUN", "SAVEPOINT", "SCHEMA", "SCRATCHPAD", "SECOND", "SECONDS", "SECQTY",
    "SECURITY", "SELECT", "SENSITIVE", "SEQUENCE", "SESSION_USER", "SET", "SIGNAL", "SIMPLE",
    "SOME", "SOURCE", "SPECIFIC", "STANDARD", "STATEMENT", "STATIC", "STAY", "STOGROUP", "STORES",
    "STYLE", "SUMMARY", "SYNONYM", "SYSDATE", "SYSTEM", "SYSTIMESTAMP", "TABLE", "TABLESPACE",
    "THEN", "TO", "TRIGGER", "TRUNCATE", "TYPE", "UNDO", "UNION", "UNIQUE", "UNTIL", "UPDATE",
    "USER", "USING", "VALIDPROC", "VALUE", "VALUES", "VARIABLE", "VARIANT", "VCAT", "VIEW",
    "VOLATILE", "VOLUMES", "WHEN", "WHENEVER", "WHERE", "WHILE", "WITH", "WLM", "XMLCAST",
    "XMLEXISTS", "XMLNAMESPACES", "YEAR", "YEARS", "ZONE",
};
// clang-format on

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

bool IsNameCharacter(char c) {
  return IsUpperLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '$' || c == '#' || c == '@';
}

}  // namespace

bool IsDb2ReservedWord(std::string_view word) {
  return std::binary_search(kReservedWords.begin(), kReservedWords.end(), word);
}

bool IsBareDb2Name(std::string_view name) {
  return !name.empty() && IsUpperLetter(name.front()) && std::all_of(name.begin(), name.end(), IsNameCharacter) &&
         !IsDb2ReservedWord(name);
}

std::string Db2Name(std::string_view name) {
  if (name.empty() || IsBareDb2Name(name)) return std::string(name);
  return '"' + DoubledQuotes(name, '"') + '"';
}

std::string Db2NameWritten(std::string_view written) {
  if (written.empty() || written.front() != '"') return AsciiUpper(written);
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

std::string Db2StringLiteral(std::string_view text) { return '\'' + SqlLiteralText(text) + '\''; }

std::string SqlLiteralText(std::string_view text) { return DoubledQuotes(text, '\''); }

}  // namespace zuno
