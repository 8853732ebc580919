#include "catalog/object_source.h"

#include "query/statement_class.h"
#include "sql/sql_lexer.h"

namespace zuno {

bool TakesCreateOrReplace(DatabaseFlavour flavour, std::string_view type) {
  switch (flavour) {
    case DatabaseFlavour::Db2Luw:
      return type == "VIEW" || type == "PROCEDURE" || type == "FUNCTION" || type == "TRIGGER";
    case DatabaseFlavour::Db2Zos: return type == "PROCEDURE" || type == "TRIGGER";
    case DatabaseFlavour::None: break;
  }
  return false;
}

// The first two words the statement itself writes, comments and blanks
// before them skipped: CREATE OR REPLACE goes in right after its CREATE.
std::string RecreatingStatement(std::string_view text, DatabaseFlavour flavour, std::string_view type) {
  std::string statement(text);
  if (!TakesCreateOrReplace(flavour, type)) return statement;
  const SqlToken* words[2] = {nullptr, nullptr};
  const std::vector<SqlToken> tokens = LexSql(text);
  for (const SqlToken& t : tokens) {
    if (!IsSignificant(t)) continue;
    if (t.kind != SqlTokenKind::Word) break;
    (words[0] ? words[1] : words[0]) = &t;
    if (words[1]) break;
  }
  if (!words[0] || FirstWord(TokenText(text, *words[0])) != "CREATE") return statement;
  if (words[1] && FirstWord(TokenText(text, *words[1])) == "OR") return statement;
  return statement.insert(words[0]->end, " OR REPLACE");
}

}  // namespace zuno
