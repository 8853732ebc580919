#include "query/run_script.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "base/clock.h"
#include "query/comment_removal.h"
#include "query/elapsed_time.h"
#include "query/fetch_budget.h"
#include "query/result_set_path.h"
#include "query/row_limit.h"
#include "query/run_statement.h"
#include "query/script_report.h"
#include "query/script_splitter.h"
#include "query/statement_class.h"
#include "query/statement_history.h"
#include "query/transaction_end.h"
#include "query/transaction_statement.h"
#include "query/variable_scan.h"
#include "session/page_switch.h"
#include "session/row_count.h"

namespace zuno {
namespace {

// One statement of the script as the worker runs it.
struct ScriptStep {
  std::string prepared;  // comments out, variables filled
  TextRange range;       // in the editor's text
  int line = 1;          // in the editor's text
  std::string written;   // as the editor shows it
};

constexpr int kReportWidths[] = {40, 50, 320, 70, 70, 400};

// What the windows get of a script's results while it runs: the rows of the
// statement running now in pieces as they come, and each result that gets a
// page whole once its statement has it, in the order of the statements.
class ScriptHandOff {
 public:
  ScriptHandOff(JobRunner& jobs, std::size_t steps) : jobs_(jobs) {
    for (std::size_t k = 0; k < steps; ++k) pieces_.push_back(std::make_unique<PieceHandOff>([&jobs] { jobs.Wake(); }));
  }
  PieceHandOff& PiecesOf(std::size_t step) { return *pieces_[step]; }
  // From the worker: the statement starting now; every result of the ones
  // before it has been handed on by then.
  void Start(std::size_t step) { running_.store(step, std::memory_order_release); }
  std::size_t Running() const { return running_.load(std::memory_order_acquire); }
  void Hand(std::size_t step, FetchedResult r) {
    {
      std::lock_guard lock(mutex_);
      results_.emplace_back(step, std::move(r));
    }
    jobs_.Wake();
  }
  std::vector<std::pair<std::size_t, FetchedResult>> TakeResults() {
    std::lock_guard lock(mutex_);
    return std::exchange(results_, {});
  }

 private:
  JobRunner& jobs_;
  std::vector<std::unique_ptr<PieceHandOff>> pieces_;  // one a statement
  std::atomic<std::size_t> running_{0};
  std::mutex mutex_;
  std::vector<std::pair<std::size_t, FetchedResult>> results_;
};

// The results of a script's statements that get a page: up to the limit of
// pages, handed on as each statement ends; the others are counted. The
// results kept share one memory budget: each statement's fetch may take what
// the ones kept before it left.
struct ScriptResults {
  int count = 0;
  std::uint64_t keptBytes = 0;

  std::uint64_t Left(std::uint64_t budget) const { return budget > keptBytes ? budget - keptBytes : 0; }
  // Whether the next result gets a page.
  bool Kept() const { return count < kScriptPageLimit; }
  void Take(std::size_t step, FetchedResult& r, ScriptHandOff& to) {
    // The further result sets of one statement after it, one page each.
    std::vector<FetchedResult> further = std::move(r.further);
    Keep(step, r, to);
    for (FetchedResult& f : further) Keep(step, f, to);
  }
  void Keep(std::size_t step, FetchedResult& r, ScriptHandOff& to) {
    if (++count > kScriptPageLimit) return;
    keptBytes += KeptBytes(r);
    to.Hand(step, std::move(r));
  }
};

// Comments out and variables in, each name asked once for the whole script;
// nullopt when the user gave up at a prompt.
std::optional<std::vector<ScriptStep>> PrepareSteps(Session& s, std::string_view editorText, TextRange part) {
  std::map<std::string, std::string, std::less<>> answers;
  const AskVariable ask = [&](std::string_view name) {
    if (auto known = answers.find(name); known != answers.end()) return known->second;
    std::string answer = s.ui.AskText("ZUNO", VariablePrompt(name), "").value_or("");
    if (!answer.empty()) answers.emplace(name, answer);
    return answer;
  };
  const std::string_view script = editorText.substr(part.begin, part.end - part.begin);
  const int firstLine = LineAt(editorText, part.begin);
  std::vector<ScriptStep> steps;
  for (ScriptStatement& st : SplitScript(script)) {
    std::optional<std::string> filled = FillVariables(PrepareStatementText(st.text).text, ask);
    if (!filled) return std::nullopt;
    steps.push_back(
        {std::move(*filled), {part.begin + st.begin, part.begin + st.end}, firstLine + st.line - 1, std::move(st.text)});
  }
  return steps;
}

// On the worker: each statement by its class, until one fails or the user
// stops the script.
void RunSteps(OdbcLayer& db, const std::vector<ScriptStep>& steps, int limit, std::uint64_t budget,
              const std::atomic<bool>& stopped, std::vector<StatementOutcome>& outcomes, ScriptResults& results,
              ScriptHandOff& handOff) {
  for (std::size_t k = 0; k < steps.size() && !stopped; ++k) {
    handOff.Start(k);
    const std::string& sql = steps[k].prepared;
    StatementOutcome& o = outcomes[k];
    const std::int64_t start = NowMilliseconds();
    bool ok = false;
    // A COMMIT or ROLLBACK ends the transaction through the driver, as
    // Run does it.
    if (const auto end = ReadTransactionStatement(sql)) {
      ok = db.EndTransaction(*end);
      o.rows = 0;
    } else if (ClassifyStatement(sql) == StatementPath::ResultSet) {
      // A result that gets a page shows its rows there as they come.
      FetchedResult r;
      if (results.Kept()) r.pieces = &handOff.PiecesOf(k);
      r.executed = db.ExecuteQuery(sql);
      if (r.executed) FetchCurrentResult(db, limit, results.Left(budget), r);
      ok = r.executed;
      o.rows = static_cast<long long>(RowsRead(r)) + r.furtherRows;
      if (ok) results.Take(k, r, handOff);
      db.FinishQuery();
    } else {
      ok = db.ExecuteUpdate(sql);
      o.rows = db.AffectedRows();
    }
    o.milliseconds = NowMilliseconds() - start;
    o.state = ok ? StatementOutcome::State::Ok : StatementOutcome::State::Failed;
    if (ok) continue;
    o.message = db.LastError();
    return;
  }
}

// The script's results on pages of their own beside the report, in the
// order of the statements: a statement's page is made with its first rows,
// or with its result when that came whole.
class ScriptPages {
 public:
  ScriptPages(Session& s, const std::vector<ScriptStep>& steps, ScriptHandOff& handOff)
      : s_(s), steps_(steps), handOff_(handOff), report_(s.pages->CurrentIndex()) {}

  void ShowWhatCame() {
    // The statement running is read first: the results of those before it
    // are all handed on by then.
    const std::size_t running = handOff_.Running();
    for (auto& [step, r] : handOff_.TakeResults()) {
      ShowPieces(step);
      // The first result of a statement shown in pieces ends on its page.
      if (streamed_ == step && !ended_) {
        ended_ = true;
        if (s_.pages->CurrentIndex() != page_) ShowResultPage(s_, page_);
      } else {
        AddPage(step);
      }
      NoteFetchLimits(s_, r);
      FillResult(s_, r);
    }
    ShowPieces(running);
  }
  int report() const { return report_; }

 private:
  void AddPage(std::size_t step) {
    s_.pages->Page(report_).title = "Report";
    AddResultPage(s_, "No. " + std::to_string(step + 1)).statement = steps_[step].prepared;
  }
  void ShowPieces(std::size_t step) {
    std::vector<FetchedPiece> pieces = handOff_.PiecesOf(step).Take();
    if (pieces.empty()) return;
    if (streamed_ != step) {
      AddPage(step);
      streamed_ = step;
      page_ = s_.pages->CurrentIndex();
      ended_ = false;
      shown_ = 0;
    } else if (s_.pages->CurrentIndex() != page_) {
      ShowResultPage(s_, page_);
    }
    for (FetchedPiece& piece : pieces) ShowFetchedPiece(s_, piece, shown_);
  }

  Session& s_;
  const std::vector<ScriptStep>& steps_;
  ScriptHandOff& handOff_;
  const int report_;
  // The statement whose rows come in pieces, its page and the rows shown.
  std::size_t streamed_ = static_cast<std::size_t>(-1);
  int page_ = -1;
  bool ended_ = false;
  std::size_t shown_ = 0;
};

// The transaction as the statements that ran left it, in their order.
void NoteScriptTransaction(Session& s, const std::vector<ScriptStep>& steps,
                           const std::vector<StatementOutcome>& outcomes) {
  for (std::size_t k = 0; k < steps.size(); ++k) {
    if (outcomes[k].state != StatementOutcome::State::Ok) continue;
    if (ReadTransactionStatement(steps[k].prepared)) {
      EndTransaction(s.state.transaction);
      ShowTransaction(s);
    } else {
      NoteStatementRan(s, steps[k].prepared, outcomes[k].rows);
    }
  }
}

// The report in the grid, in front of the results' pages; the message of
// the statement that failed, if any.
std::string ShowReport(Session& s, const std::vector<ScriptStep>& steps, const std::vector<StatementOutcome>& outcomes,
                       const ScriptResults& results, const ScriptPages& pages) {
  s.state.endTime = NowMilliseconds();
  ShowResultPage(s, pages.report());
  ResultPage& page = CurrentPage(s);
  page.mode = GridMode::ScriptReport;
  page.scriptStatements.clear();
  const std::vector<std::string> titles = ScriptReportTitles();
  for (std::size_t c = 0; c < titles.size(); ++c) s.grid.AddColumn(static_cast<int>(c), titles[c], kReportWidths[c]);
  for (int c : {0, 1, 3, 4}) s.grid.SetColumnOrder(c, ValueOrder::ExactNumber);  // No., Line, Rows, Seconds
  long long rows = 0;
  const ScriptStep* failed = nullptr;
  std::string message;
  for (std::size_t k = 0; k < steps.size(); ++k) {
    const StatementOutcome& o = outcomes[k];
    s.grid.AppendRow(ScriptReportRow(static_cast<int>(k) + 1, steps[k].line, steps[k].written, o));
    page.scriptStatements.push_back(steps[k].range);
    if (o.state == StatementOutcome::State::Ok) {
      rows += std::max(o.rows, 0LL);  // -1: the driver does not know
      RememberStatement(s.ui, steps[k].prepared);
    } else if (o.state == StatementOutcome::State::Failed) {
      failed = &steps[k];
      message = ScriptFailureText(static_cast<int>(k) + 1, steps[k].line, o.message);
    }
  }
  NoteScriptTransaction(s, steps, outcomes);
  ShowRowCount(s.ui, rows);
  ShowElapsedTime(s);
  if (results.count > kScriptPageLimit) s.jobs.Tell(ScriptPagesNote(results.count));
  if (failed) s.ui.SelectEditorText(failed->range);
  return message;
}

// A script that failed with autocommit off leaves what ran before it in the
// transaction: the user says whether it goes or stays.
void TellScriptFailure(Session& s, const std::string& message) {
  const TransactionState& t = s.state.transaction;
  if (t.autocommit || !t.Pending() || !s.db.Connected()) return s.jobs.Tell(message);
  const int pending = t.pending;
  const Ui::TransactionChoice choice = s.ui.AskTransactionEnd(UncommittedAfterFailureText(message, pending), false);
  if (choice == Ui::TransactionChoice::Keep) return;
  EndTransactionNow(s, choice == Ui::TransactionChoice::Commit ? OdbcLayer::TransactionEnd::Commit
                                                               : OdbcLayer::TransactionEnd::Rollback);
}

// The statements of part of the editor's text, one after the other.
void RunScriptPart(Session& s, const std::string& editorText, TextRange part) {
  ClearQueryResult(s);
  std::optional<std::vector<ScriptStep>> steps = PrepareSteps(s, editorText, part);
  if (!steps) return ShowGivenUpRun(s);  // an empty answer: nothing runs

  const int limit = ParseRowLimit(s.ui.Text(kRowsToFetchBox));
  const std::uint64_t budget = FetchBudget(s.state.memoryFiles);
  std::vector<StatementOutcome> outcomes(steps->size());
  std::atomic<bool> stopped = false;
  ScriptResults results;
  ScriptHandOff handOff(s.jobs, steps->size());
  ScriptPages pages(s, *steps, handOff);
  s.state.startTime = NowMilliseconds();
  std::string failure;
  s.jobs.Run({
      .work = [&, &db = s.db] { RunSteps(db, *steps, limit, budget, stopped, outcomes, results, handOff); },
      .progress = [&] { pages.ShowWhatCame(); },
      .apply = [&] { failure = ShowReport(s, *steps, outcomes, results, pages); },
      .cancel =
          [&] {
            stopped = true;
            s.db.Cancel();
          },
  });
  if (!failure.empty()) TellScriptFailure(s, failure);
}

// Part of the editor's text: one statement runs as Run runs it, several as a script.
void RunPart(Session& s, const std::string& editorText, TextRange part) {
  const std::vector<ScriptStatement> statements =
      SplitScript(std::string_view(editorText).substr(part.begin, part.end - part.begin));
  if (statements.size() > 1) return RunScriptPart(s, editorText, part);
  RunStatementText(s, statements.empty() ? editorText.substr(part.begin, part.end - part.begin) : statements[0].text);
}

}  // namespace

void RunStatementAtCursor(Session& s) {
  if (s.ui.IsChecked(kDb2CommandCheckBox)) return RunStatement(s);
  const std::string text = s.ui.Text(kSqlEditor);
  TextRange selection = s.ui.EditorSelection();
  selection.end = std::min(selection.end, text.size());
  selection.begin = std::min(selection.begin, selection.end);
  if (selection.begin < selection.end) return RunPart(s, text, selection);
  const std::vector<ScriptStatement> statements = SplitScript(text);
  if (statements.empty()) return RunStatement(s);
  const ScriptStatement& at = statements[StatementAt(statements, selection.begin)];
  RunStatementText(s, at.text);
}

void RunScript(Session& s) {
  if (s.ui.IsChecked(kDb2CommandCheckBox)) return RunStatement(s);
  const std::string text = s.ui.Text(kSqlEditor);
  RunPart(s, text, {0, text.size()});
}

void OnScriptReportDoubleClick(Session& s) {
  // The report row by its identity: the report may be sorted.
  const int row = s.grid.RowIdentity(s.grid.SelectedRow());
  const std::vector<TextRange>& statements = CurrentPage(s).scriptStatements;
  if (row < 0 || static_cast<std::size_t>(row) >= statements.size()) return;
  s.ui.SelectEditorText(statements[static_cast<std::size_t>(row)]);
}

}  // namespace zuno
