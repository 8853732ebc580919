#include "app/program_handlers.h"

#include "app/connect_handler.h"
#include "app/row_key_generation.h"
#include "catalog/catalog_buttons.h"
#include "catalog/drill_down.h"
#include "catalog/schema_objects.h"
#include "catalog/table_details.h"
#include "library/library_window.h"
#include "query/run_script.h"
#include "query/run_statement.h"
#include "tools/external_editing.h"
#include "tools/popup_actions.h"
#include "tools/report_export.h"
#include "tools/result_find.h"
#include "session/page_switch.h"
#include "tools/row_copy.h"

namespace zuno {

Handlers ProgramHandlers(Session& s) {
  Handlers h;
  h.connect = [&s] { OnConnectClicked(s); };
  h.runStatement = [&s] { RunStatement(s); };
  h.runAtCursor = [&s] { RunStatementAtCursor(s); };
  h.runScript = [&s] { RunScript(s); };
  h.catalog = [&s] { OnCatalogClicked(s); };
  h.creators = [&s] { OnCreatorsClicked(s); };
  h.lastCreator = [&s] { OnLastCreatorClicked(s); };
  h.gridDrillDown = [&s] {
    if (CurrentPage(s).mode == GridMode::ScriptReport) return OnScriptReportDoubleClick(s);
    OnGridDoubleClick(s);
  };
  h.editSql = [&s] { OnEditSqlClicked(s); };
  h.formatSql = [&s] { OnFormatSqlClicked(s); };
  h.saveReport = [&s] { OnSaveReportClicked(s); };
  h.openLibrary = [&s] { OpenLibrary(s); };
  h.librarySave = [&s] { OnLibrarySave(s); };
  h.libraryLoad = [&s] { OnLibraryLoad(s); };
  h.libraryDelete = [&s] { OnLibraryDelete(s); };
  h.switchStore = [&s] { OnSwitchStore(s); };
  h.libraryExit = [&s] { OnLibraryExit(s); };
  h.popupItem = [&s](int item) {
    if (item == kTableDetails) return OnTableDetails(s);
    if (item == kSchemaObjects) return OnSchemaObjects(s);
    if (item == kGenerateUpdate || item == kGenerateDelete) return OnGenerateWithRowKey(s, item);
    OnPopupItem(s, item);
  };
  h.columnChooserSelect = [&s] { OnColumnChooserSelect(s); };
  h.copyRows = [&s] { CopySelectedRows(s); };
  h.findInResult = [&s] { FindInResult(s); };
  h.closeConnection = [&s] { s.db.CloseConnection(); };
  return h;
}

}  // namespace zuno
