#include "catalog/catalog_buttons.h"

#include "catalog/catalog_list_fill.h"
#include "catalog/catalog_sql.h"

namespace zuno {
namespace {

// The Grid Mode tells a later double-click what the rows are; it is set
// before the statement runs and holds whatever its outcome.
void StartList(Session& s, GridMode gridMode) {
  s.state.gridMode = gridMode;
  s.grid.ClearRows();
  s.grid.RemoveAllColumns();
}

}  // namespace

void OnCatalogClicked(Session& s) {
  StartList(s, GridMode::Catalog);
  std::string sql = CatalogListSql(s.state.databaseFlavour);
  s.state.lastCreator = "SYSCAT";
  FillCatalogList(s, sql, Reselect::LastDrilledRow);
}

void OnCreatorsClicked(Session& s) {
  StartList(s, GridMode::Creators);
  FillCatalogList(s, CreatorsListSql(), Reselect::LastDrilledRow);
}

void OnLastCreatorClicked(Session& s) {
  StartList(s, GridMode::Catalog);
  FillCatalogList(s, LastCreatorListSql(s.state.databaseFlavour, s.state.lastCreator), Reselect::LastDrilledRow);
}

}  // namespace zuno
