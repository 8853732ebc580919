#include "catalog/object_source.h"

#include "query/statement_class.h"

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
  const std::size_t afterCreate = text.find_first_not_of(" \t\r\n") + std::string_view("CREATE").size();
  if (FirstWord(text.substr(afterCreate)) == "OR") return statement;
  return statement.insert(afterCreate, " OR REPLACE");
}

}  // namespace zuno
