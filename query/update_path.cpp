#include "query/cell_text.h"
#include "query/run_statement.h"
#include "query/statement_history.h"

namespace zuno {

void RunUpdatePath(Session& s, const std::string& statement) {
  bool ok = false;
  s.jobs.Run({
      .work = [&, &db = s.db] { ok = db.ExecuteUpdate(statement); },
      .apply =
          [&] {
            if (!ok) return s.jobs.Tell(s.db.LastError());
            s.jobs.Tell(statement + "\nAffected Rows: " + DoubleText(s.db.AffectedRows()));
            RememberStatement(s.ui, statement);
          },
      .cancel = [&] { s.db.Cancel(); },
  });
}

}  // namespace zuno
