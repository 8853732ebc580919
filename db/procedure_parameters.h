// A procedure's parameters as the driver describes them, and a CALL run with
// its parameter markers bound: values in, values out.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/odbc_layer.h"

namespace zuno {

enum class ParameterMode { In, InOut, Out };

struct ProcedureParameter {
  std::string name;
  ParameterMode mode = ParameterMode::In;
  short sqlType = 0;        // the driver's type code
  std::uint32_t size = 0;   // its column size, 0 where it gave none
  short digits = 0;
};

// The parameters of schema.name in their order, from the driver's catalog
// (result columns and a function's return value left out); nullopt when the
// call failed, with the text in db.LastError(). The names are matched as
// given, so an unquoted name comes folded as the database folds it.
std::optional<std::vector<ProcedureParameter>> ReadProcedureParameters(OdbcLayer& db, std::string_view schema,
                                                                       std::string_view name);

// The markers of one statement, first to last: each bound with its
// parameter's type, an input value for In and InOut, a buffer for the value
// that comes back for InOut and Out. The buffers live as long as this.
class BoundParameters {
 public:
  BoundParameters();
  ~BoundParameters();
  BoundParameters(const BoundParameters&) = delete;
  BoundParameters& operator=(const BoundParameters&) = delete;

  void Add(const ProcedureParameter& p, std::string_view input);
  std::size_t Count() const;
  // The value a marker holds after the run (for InOut and Out once every
  // result set has been read); nullopt for NULL.
  std::optional<std::string> Value(std::size_t marker) const;

  // Runs statement with the markers bound; its result sets are then read
  // as those of ExecuteQuery.
  bool Execute(OdbcLayer& db, std::string_view statement);

 private:
  struct Slot;
  std::vector<std::unique_ptr<Slot>> slots_;
};

}  // namespace zuno
