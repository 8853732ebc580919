#include "grid/cell_text.h"
#include "query/run_statement.h"
#include "query/statement_history.h"

namespace zuno {

void RunUpdatePath(Session& s, const std::string& statement) {
  s.ui.OpenBusyWindow();
  bool ok = false;
  s.ui.RunBlocking([&] { ok = s.db.ExecuteUpdate(statement); }, [&] { s.db.Cancel(); });
  s.ui.CloseBusyWindow();
  if (!ok) {
    s.ui.ShowMessage(s.db.LastError());
    return;
  }
  s.ui.ShowMessage(statement + "\nAffected Rows: " + DoubleText(s.db.AffectedRows()));
  RememberStatement(s.ui, statement);
}

}  // namespace zuno
