// One value of the current row as the result grid shows it, and the Type
// Class it gives its column.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "db/odbc_layer.h"
#include "db/type_class.h"
#include "grid/result_rows.h"

namespace zuno {

class CellReader {
 public:
  // A text value longer than maxUnits UTF-16 units is read only that far:
  // its cell shows the part, marked, and keeps no value (query/fetch_budget.h).
  explicit CellReader(OdbcLayer& db, std::size_t maxUnits = OdbcLayer::kWholeValue) : db_(db), maxUnits_(maxUnits) {}

  // Reads the value of the column with its NULL-ness, by its kind and size,
  // and adds its cell text to the row being built. typeClass holds what the
  // earlier rows left and is updated: a NULL in a text column keeps the class
  // an earlier row gave.
  void Read(int column, int columnSize, ColumnKind kind, TypeClass& typeClass, ResultRows& rows);

 private:
  // Reads a text value into value_, up to the bound; false for NULL.
  bool ReadValueText(int column);
  // Adds the column's text; true when it was NULL.
  bool AddText(int column, ResultRows& rows);
  // A text value's cell: marked where its text cannot stand for it, and as
  // a part where it was read only up to the bound.
  void AddMarked(std::string& text, ResultRows& rows);
  void AddPadded(std::string_view text, int columnSize, bool null, ResultRows& rows);
  // A number's cell text padded, with its exact text kept where the text
  // does not read back as the value.
  void AddNumber(std::string_view text, double value, int columnSize, ResultRows& rows);
  // A value the driver could not give: never shown as 0 or as part of it.
  void AddReadError(int columnSize, ResultRows& rows);
  template <typename Number, typename Show>
  bool AddFixed(std::optional<Number> value, int columnSize, Show show, ResultRows& rows);

  OdbcLayer& db_;
  std::size_t maxUnits_;
  std::string value_;  // reused for every value
  std::string cell_;
};

// A binary value up to this many bytes is kept for the statements built from
// its row (as a hex literal of twice as many digits, within what Db2 takes);
// a longer one is not.
constexpr std::size_t kMaxBinaryBytes = 16000;

// Whether the reader shows the column's values as numbers (padded digits).
bool ReadsAsNumber(ColumnKind kind, int columnSize);

}  // namespace zuno
