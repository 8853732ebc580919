#include "catalog/object_source.h"

#include "query/statement_class.h"
#include "sql/sql_characters.h"

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

std::string RecreatingStatement(std::string_view text, DatabaseFlavour flavour, std::string_view type) {
  std::string statement(text);
  if (!TakesCreateOrReplace(flavour, type) || FirstWord(text) != "CREATE") return statement;
  // Only where CREATE opens the text: a comment before it is left as it is.
  constexpr std::string_view kCreate = "CREATE";
  const std::size_t first = text.find_first_not_of(kSqlBlanks);
  if (AsciiUpper(text.substr(first, kCreate.size())) != kCreate) return statement;
  const std::size_t afterCreate = first + kCreate.size();
  if (FirstWord(text.substr(afterCreate)) == "OR") return statement;
  return statement.insert(afterCreate, " OR REPLACE");
}

}  // namespace zuno
