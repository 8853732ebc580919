// A CALL whose arguments hold parameter markers: the procedure it names and
// which of its arguments are a "?" to be bound.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "session/session.h"

namespace zuno {

struct CallStatement {
  // The names as the database folds them (an unquoted name in capitals),
  // and as a database that folds to small letters has them.
  std::string schema, name;
  std::string lowerSchema, lowerName;
  std::vector<bool> markers;  // per argument: whether it is a lone "?"
};

// The CALL's procedure and arguments; nullopt for another statement or a
// CALL without a marker.
std::optional<CallStatement> ReadCallStatement(std::string_view statement);

// "Enter data for parameter " and the name: the input dialog's prompt.
std::string ParameterPrompt(std::string_view name);

// Runs the CALL: reads the procedure's parameters, asks for each In and
// InOut value of a marker, runs it with the markers bound, fills the grid
// with its first result set as a query's, and tells the values of the
// InOut and Out parameters.
void RunCallPath(Session& s, const std::string& statement, const CallStatement& call);

}  // namespace zuno
