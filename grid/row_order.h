// How the rows of a result are put in order by one column: each value
// compares by what it is, read from the value as fetched, not from the text
// its cell shows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "grid/result_rows.h"

namespace zuno {

// What a column's values are when they are compared.
enum class ValueOrder {
  Text,         // by the user's collation, then byte by byte
  ExactNumber,  // decimal digits compared exactly, of any length
  FloatNumber,  // as doubles; NaN after every other number
  Date,         // DD.MM.YYYY or YYYY-MM-DD, in time order
  Time,         // HH.MM.SS or HH:MM:SS
  Timestamp,    // date and time, then the fraction of a second
  Binary,       // byte by byte
};

enum class SortDirection { None, Ascending, Descending };

struct GridSort {
  int column = -1;  // -1: the rows stand as fetched
  SortDirection direction = SortDirection::None;
};

// What a click on the header of the column makes of the sort: ascending
// first, then descending, then the order as fetched.
GridSort NextSort(GridSort now, int column);

// A key that compares byte by byte as the value compares by its order. A
// value that does not read as its order says (a number column's "Read
// error") keeps its own bytes and goes after those that do.
struct OrderKey {
  int rank = 0;  // 0 a value, 1 one that does not read as its order, 2 not known, 3 NULL
  std::string bytes;
};
OrderKey MakeOrderKey(const CellValue& value, bool null, ValueOrder order);

// The rows in the order the sort asks for, as indexes of the rows as they
// stand now: equal values, and every row when the direction is None, in the
// order the rows were fetched; NULLs and values not known last in either
// direction.
std::vector<std::size_t> SortedRows(const ResultRows& rows, std::size_t column, ValueOrder order,
                                    SortDirection direction);

}  // namespace zuno
