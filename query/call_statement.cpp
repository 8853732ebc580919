#include "query/call_statement.h"

#include "base/clock.h"
#include "db/procedure_parameters.h"
#include "query/elapsed_time.h"
#include "query/fetch_budget.h"
#include "query/result_set_path.h"
#include "query/row_limit.h"
#include "sql/db2_identifier.h"
#include "sql/sql_characters.h"
#include "sql/sql_lexer.h"

namespace zuno {
namespace {

struct NamePart {
  std::string folded, lower;
};

// An unquoted name folded both ways; a delimited one as written inside its quotes.
NamePart ReadNamePart(std::string_view text, const SqlToken& t) {
  const std::string_view word = TokenText(text, t);
  NamePart part{Db2NameWritten(word), {}};
  part.lower = t.kind == SqlTokenKind::QuotedName ? part.folded : AsciiLower(word);
  return part;
}

bool IsName(const SqlToken& t) { return t.kind == SqlTokenKind::Word || t.kind == SqlTokenKind::QuotedName; }

}  // namespace

std::optional<CallStatement> ReadCallStatement(std::string_view text) {
  std::vector<SqlToken> tokens;
  for (const SqlToken& t : LexSql(text))
    if (IsSignificant(t)) tokens.push_back(t);
  std::size_t i = 0;
  auto at = [&](std::size_t k) -> const SqlToken* { return k < tokens.size() ? &tokens[k] : nullptr; };
  if (!at(0) || tokens[0].kind != SqlTokenKind::Word || ReadNamePart(text, tokens[0]).folded != "CALL")
    return std::nullopt;
  i = 1;
  if (!at(i) || !IsName(tokens[i])) return std::nullopt;
  CallStatement call;
  NamePart name = ReadNamePart(text, tokens[i++]);
  if (at(i + 1) && IsSymbol(text, tokens[i], '.') && IsName(tokens[i + 1])) {
    const NamePart schema = name;
    call.schema = schema.folded;
    call.lowerSchema = schema.lower;
    name = ReadNamePart(text, tokens[i + 1]);
    i += 2;
  }
  call.name = name.folded;
  call.lowerName = name.lower;
  if (!at(i) || !IsSymbol(text, tokens[i], '(')) return std::nullopt;
  int depth = 0;
  std::size_t argumentTokens = 0;
  bool lone = false;
  for (++i; i < tokens.size(); ++i) {
    const SqlToken& t = tokens[i];
    const bool closes = depth == 0 && IsSymbol(text, t, ')');
    if (depth == 0 && (closes || IsSymbol(text, t, ','))) {
      if (argumentTokens > 0 || !call.markers.empty() || !closes) call.markers.push_back(argumentTokens == 1 && lone);
      argumentTokens = 0;
      if (closes) break;
      continue;
    }
    if (IsSymbol(text, t, '(')) ++depth;
    if (IsSymbol(text, t, ')')) --depth;
    lone = IsSymbol(text, t, '?');
    ++argumentTokens;
  }
  if (i >= tokens.size()) return std::nullopt;  // no closing parenthesis
  for (bool m : call.markers)
    if (m) return call;
  return std::nullopt;
}

std::string ParameterPrompt(std::string_view name) { return "Enter data for parameter " + std::string(name); }

namespace {

// The values that came back, as the command line processor prints them.
using OutputValues = std::vector<std::pair<std::string, std::optional<std::string>>>;

std::string OutputText(const OutputValues& values) {
  std::string text = "Value of output parameters\n--------------------------";
  for (const auto& [name, value] : values)
    text += "\nParameter Name  : " + name + "\nParameter Value : " + value.value_or("-");
  return text;
}

bool SameNames(OdbcLayer& db, const std::vector<std::string>& names) {
  if (db.ColumnCount() != static_cast<int>(names.size())) return false;
  for (std::size_t c = 0; c < names.size(); ++c) {
    if (AsciiLower(db.DescribeColumn(static_cast<int>(c)).name) != AsciiLower(names[c])) return false;
  }
  return true;
}

// A driver that also gives the output values as a row of their own, one
// column per InOut and Out parameter (PostgreSQL's): the values are taken
// from there by name, as its markers may be filled by position among the
// outputs whatever the arguments are, and the row is no result set of the
// procedure. False where the result is another.
bool ReadOutputRow(OdbcLayer& db, const std::vector<std::string>& outputNames, OutputValues& values) {
  if (outputNames.empty() || !SameNames(db, outputNames) || !db.NextRow()) return false;
  for (auto& [name, value] : values)
    for (std::size_t c = 0; c < outputNames.size(); ++c) {
      if (outputNames[c] != name) continue;
      std::string text;
      value = db.ReadText(static_cast<int>(c), text) ? std::optional(text) : std::nullopt;
    }
  return true;
}

}  // namespace

void RunCallPath(Session& s, const std::string& statement, const CallStatement& call) {
  std::optional<std::vector<ProcedureParameter>> parameters;
  bool ran = s.jobs.Run({.work = [&, &db = s.db] {
    parameters = ReadProcedureParameters(db, call.schema, call.name);
    if (parameters && parameters->empty() && (call.schema != call.lowerSchema || call.name != call.lowerName))
      parameters = ReadProcedureParameters(db, call.lowerSchema, call.lowerName);
  }});
  if (!ran) return ShowEndedRun(s, RunEnd::Failed);
  const std::string procedure = call.schema.empty() ? call.name : call.schema + "." + call.name;
  if (!parameters) {
    ShowEndedRun(s, RunEnd::Failed);
    return s.ui.ShowMessage(s.db.LastError());
  }
  if (parameters->empty()) {
    ShowEndedRun(s, RunEnd::Failed);
    return s.ui.ShowMessage("The procedure " + procedure + " was not found, or the driver does not describe it.");
  }
  if (parameters->size() != call.markers.size()) {
    ShowEndedRun(s, RunEnd::Failed);
    return s.ui.ShowMessage("The procedure " + procedure + " has " + std::to_string(parameters->size()) +
                            " parameters; the CALL gives " + std::to_string(call.markers.size()) + ".");
  }

  // The markers in order, each with its parameter and the value asked for.
  BoundParameters bound;
  std::vector<std::pair<std::size_t, std::string>> outputs;  // marker, parameter name
  for (std::size_t a = 0; a < call.markers.size(); ++a) {
    if (!call.markers[a]) continue;
    const ProcedureParameter& p = (*parameters)[a];
    std::string input;
    if (p.mode != ParameterMode::Out) {
      std::optional<std::string> answer = s.ui.AskText("ZUNO", ParameterPrompt(p.name), "");
      if (!answer || answer->empty()) return ShowGivenUpRun(s);
      input = *answer;
    }
    if (p.mode != ParameterMode::In) outputs.emplace_back(bound.Count(), p.name);
    bound.Add(p, input);
  }

  const int limit = ParseRowLimit(s.ui.Text(kRowsToFetchBox));
  const MemoryFiles memory = s.state.memoryFiles;
  s.state.startTime = NowMilliseconds();
  OutputValues values;
  std::vector<std::string> outputNames;  // of every InOut and Out parameter
  for (const ProcedureParameter& p : *parameters)
    if (p.mode != ParameterMode::In) outputNames.push_back(p.name);
  RunFetchJob(
      s, statement,
      [&, &db = s.db](FetchedResult& r) {
        r.executed = bound.Execute(db, statement);
        if (!r.executed) return;
        for (const auto& [marker, name] : outputs) values.emplace_back(name, std::nullopt);
        const bool fromRow = ReadOutputRow(db, outputNames, values);
        if (!fromRow || db.NextResultSet()) FetchCurrentResult(db, limit, FetchBudget(memory), r);
        if (fromRow) return;
        // Bound values are complete once every result set has been read.
        for (std::size_t o = 0; o < outputs.size(); ++o) values[o].second = bound.Value(outputs[o].first);
      },
      [&](const FetchedResult& r) {
        if (r.executed && !values.empty()) s.ui.ShowNote(OutputText(values));
      });
}

}  // namespace zuno
