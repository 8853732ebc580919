#include "base/clock.h"
#include "grid/cell_text.h"
#include "query/elapsed_time.h"
#include "query/run_statement.h"
#include "query/statement_history.h"
#include "query/transaction_end.h"

namespace zuno {

// The Row Count text says what the statement changed, as the driver counts
// it, and the time is the statement's own: the figures of the run before do
// not stay on show.
void RunUpdatePath(Session& s, const std::string& statement) {
  bool ok = false;
  bool cancelled = false;
  const bool ran = s.jobs.Run({
      .work = [&, &db = s.db] { ok = db.ExecuteUpdate(statement); },
      .apply =
          [&] {
            if (!ok) {
              ShowEndedRun(s, cancelled ? RunEnd::Cancelled : RunEnd::Failed);
              return s.jobs.Tell(s.db.LastError());
            }
            s.state.endTime = NowMilliseconds();
            NoteStatementRan(s, statement, s.db.AffectedRows());
            const std::string affected = "Affected Rows: " + DoubleText(s.db.AffectedRows());
            s.ui.SetText(kRowCountText, affected);
            ShowElapsedTime(s);
            s.ui.ShowNote(statement + "\n" + affected);
            RememberStatement(s.ui, statement);
          },
      .cancel =
          [&] {
            cancelled = true;
            s.db.Cancel();
          },
  });
  if (!ran) ShowEndedRun(s, RunEnd::Failed);
}

}  // namespace zuno
