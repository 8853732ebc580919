// How many bytes a result may keep in memory. A result larger than the
// memory left would not fail to allocate (Linux overcommits) but bring the
// OOM killer, which ends ZUNO with the user's unsaved SQL; the fetch stops
// at the budget instead and shows what it has.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/available_memory.h"
#include "grid/result_rows.h"

namespace zuno {

// Half of what is available: the grid's view of the rows and the rest of
// the program need room beside them. No limit when nothing is known.
std::uint64_t FetchBudget(const MemoryFiles& files);

// The UTF-16 units one text value is read with at most: a large object of
// hundreds of megabytes would otherwise be read whole, twice over (the
// driver's UTF-16 and the cell's UTF-8), whatever the row limit. A share of
// the budget, never less than a value a user reads in a cell.
std::size_t ValueBound(std::uint64_t budget);

// What rows of that many columns keep: their texts, and per row and cell
// what the rows and the grid's view of them add. Cheap enough for every row.
inline std::uint64_t KeptBytes(const ResultRows& rows, std::size_t columns) {
  constexpr std::uint64_t kRowBytes = 96, kCellBytes = 2;
  return rows.TextBytes() + rows.RowCount() * (kRowBytes + kCellBytes * columns);
}

}  // namespace zuno
