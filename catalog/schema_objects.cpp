#include "catalog/schema_objects.h"

#include <optional>

#include "catalog/catalog_buttons.h"
#include "catalog/catalog_list_fill.h"
#include "catalog/object_catalog_sql.h"
#include "catalog/object_source.h"
#include "catalog/table_list_columns.h"
#include "session/page_switch.h"

namespace zuno {
namespace {

constexpr std::string_view kNoSchema = "Views and Routines needs a schema: select a row of a catalog list first.";
constexpr std::string_view kNoSource = " has no source text in the catalog.";

// The object list's columns: schema, name, type, specific name.
constexpr int kObjectTypeColumn = 2;
constexpr int kSpecificNameColumn = 3;

std::string ChosenSchema(Session& s) {
  const int row = s.grid.SelectedRow();
  const GridMode mode = CurrentPage(s).mode;
  const bool list = mode == GridMode::Catalog || mode == GridMode::Creators || mode == GridMode::Objects;
  if (list && row >= 0) return s.grid.CellText(row, kSchemaColumn);
  return s.state.lastCreator;
}

}  // namespace

void OnSchemaObjects(Session& s) {
  if (!IsDb2Source(s)) return;
  const std::string schema = ChosenSchema(s);
  if (schema.empty()) return s.ui.ShowMessage(kNoSchema);
  s.state.lastCreator = schema;
  OpenRunPage(s).mode = GridMode::Objects;
  FillCatalogList(s, SchemaObjectsSql(s.state.databaseFlavour, schema), Reselect::None);
}

void OnSchemaObjectDoubleClick(Session& s) {
  const int row = s.grid.SelectedRow();
  if (row < 0) return;
  const std::string schema = s.grid.CellText(row, kSchemaColumn);
  const std::string name = s.grid.CellText(row, kNameColumn);
  const std::string type = s.grid.CellText(row, kObjectTypeColumn);
  const DatabaseFlavour flavour = s.state.databaseFlavour;
  const std::string sql = ObjectSourceSql(flavour, type, schema, name, s.grid.CellText(row, kSpecificNameColumn));
  bool executed = false;
  std::optional<std::string> text;
  std::string error;
  s.jobs.Run({
      .work =
          [&, &db = s.db] {
            executed = db.ExecuteQuery(sql);
            if (!executed) return void(error = db.LastError());
            std::string value;
            if (db.NextRow() && db.ReadText(0, value)) text = std::move(value);
            db.FinishQuery();
          },
      .apply =
          [&] {
            if (!executed) return s.jobs.Tell(error);
            if (!text) return s.jobs.Tell(schema + "." + name + std::string(kNoSource));
            s.ui.SetText(kSqlEditor, RecreatingStatement(*text, flavour, type));
          },
      .cancel = [&] { s.db.Cancel(); },
  });
}

}  // namespace zuno
