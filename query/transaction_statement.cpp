#include "query/transaction_statement.h"

#include <string>
#include <vector>

#include "sql/sql_characters.h"
#include "sql/sql_lexer.h"

namespace zuno {
namespace {

// The statement's significant tokens: words upper-cased, symbols as they
// are; strings and delimited names as a mark that matches no keyword.
std::vector<std::string> Significant(std::string_view text) {
  std::vector<std::string> words;
  for (const SqlToken& t : LexSql(text)) {
    if (!IsSignificant(t)) continue;
    if (t.kind == SqlTokenKind::Word || t.kind == SqlTokenKind::Symbol)
      words.push_back(AsciiUpper(TokenText(text, t)));
    else
      words.emplace_back("\"");
  }
  if (!words.empty() && words.back() == ";") words.pop_back();
  return words;
}

bool ReadsDataChangeTable(const std::vector<std::string>& words) {
  for (std::size_t i = 0; i + 2 < words.size(); ++i)
    if ((words[i] == "FINAL" || words[i] == "NEW" || words[i] == "OLD") && words[i + 1] == "TABLE" &&
        words[i + 2] == "(")
      return true;
  return false;
}

}  // namespace

std::optional<OdbcLayer::TransactionEnd> ReadTransactionStatement(std::string_view text) {
  const std::vector<std::string> w = Significant(text);
  if (w.empty() || w.size() > 2 || (w.size() == 2 && w[1] != "WORK")) return std::nullopt;
  if (w[0] == "COMMIT") return OdbcLayer::TransactionEnd::Commit;
  if (w[0] == "ROLLBACK") return OdbcLayer::TransactionEnd::Rollback;
  return std::nullopt;
}

bool LeavesWorkToCommit(std::string_view text, long long affectedRows) {
  const std::vector<std::string> w = Significant(text);
  if (w.empty()) return false;
  const std::string& first = w[0];
  if (first == "SELECT" || first == "WITH") return ReadsDataChangeTable(w);
  if (first == "INSERT" || first == "UPDATE" || first == "DELETE" || first == "MERGE") return affectedRows != 0;
  for (const char* nothing : {"SET", "VALUES", "SAVEPOINT", "RELEASE", "ROLLBACK", "COMMIT"})
    if (first == nothing) return false;
  return true;
}

}  // namespace zuno
