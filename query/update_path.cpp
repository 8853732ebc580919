#include "query/cell_text.h"
#include "query/run_statement.h"
#include "query/statement_history.h"

namespace zuno {

void RunUpdatePath(Session& s, const std::string& statement) {
  s.ui.OpenBusyWindow();
  bool ok = s.db.ExecuteUpdate(statement);
  s.ui.CloseBusyWindow();
  if (!ok) {
    s.ui.ShowMessage(s.db.LastError());
    return;
  }
  s.ui.ShowMessage(statement + "\nAffected Rows: " + DoubleText(s.db.AffectedRows()));
  RememberStatement(s.ui, statement);
}

}  // namespace zuno
