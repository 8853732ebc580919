#include "app/row_key_generation.h"

#include <optional>
#include <utility>

#include "catalog/table_key.h"
#include "tools/popup_actions.h"

namespace zuno {

void OnGenerateWithRowKey(Session& s, int item) {
  const std::optional<CatalogTableName> table = GeneratedTable(s);
  const DatabaseFlavour flavour = s.state.databaseFlavour;
  if (!table || flavour == DatabaseFlavour::None || !s.db.Connected()) return GenerateWithKey(s, item, {});
  TableKeyRead key;
  const bool ran = s.jobs.Run({
      .work = [&, &db = s.db] { key = ReadRowKey(db, flavour, table->schema, table->name); },
      .cancel = [&] { s.db.Cancel(); },
  });
  if (ran) GenerateWithKey(s, item, std::move(key.columns));
}

}  // namespace zuno
