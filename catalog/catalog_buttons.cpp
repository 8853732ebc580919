#include "catalog/catalog_buttons.h"

#include "catalog/catalog_list_fill.h"
#include "catalog/catalog_sql.h"
#include "session/page_switch.h"

namespace zuno {
namespace {

constexpr std::string_view kNotDb2 =
    "The data source is not a Db2 data source: it has no Db2 catalog to list.";

// A list is a run of its own: it replaces the pages not pinned. The Grid
// Mode tells a later double-click what the rows are; it is set before the
// statement runs and holds whatever its outcome.
void StartList(Session& s, GridMode gridMode) { OpenRunPage(s).mode = gridMode; }

}  // namespace

bool IsDb2Source(Session& s) {
  if (s.state.databaseFlavour != DatabaseFlavour::None) return true;
  s.ui.ShowMessage(kNotDb2);
  return false;
}

void OnCatalogClicked(Session& s) {
  if (!IsDb2Source(s)) return;
  StartList(s, GridMode::Catalog);
  std::string sql = CatalogListSql(s.state.databaseFlavour);
  s.state.lastCreator = "SYSCAT";
  FillCatalogList(s, sql, Reselect::LastDrilledRow);
}

void OnCreatorsClicked(Session& s) {
  if (!IsDb2Source(s)) return;
  StartList(s, GridMode::Creators);
  FillCatalogList(s, CreatorsListSql(), Reselect::LastDrilledRow);
}

void OnLastCreatorClicked(Session& s) {
  if (!IsDb2Source(s)) return;
  StartList(s, GridMode::Catalog);
  FillCatalogList(s, LastCreatorListSql(s.state.databaseFlavour, s.state.lastCreator), Reselect::LastDrilledRow);
}

}  // namespace zuno
