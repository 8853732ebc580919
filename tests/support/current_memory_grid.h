// The handlers' grid in the tests: the current page's in-memory grid, with
// what the in-memory grid tells besides the operations.
#pragma once

#include "session/current_page_grid.h"
#include "tests/support/memory_result_grid.h"

namespace zuno::testing {

class CurrentMemoryGrid : public CurrentPageGrid {
 public:
  using CurrentPageGrid::CurrentPageGrid;

  const std::vector<MemoryResultGrid::Column>& columns() const { return Shown().columns(); }
  int ColumnWidth(int column) const { return Shown().ColumnWidth(column); }
  bool ColumnVisible(int column) const { return Shown().ColumnVisible(column); }
  std::optional<Rgb> Background(int row, int column) const { return Shown().Background(row, column); }
  int MarkedHeader() const { return Shown().MarkedHeader(); }
  bool visible() const { return Shown().visible(); }

 private:
  const MemoryResultGrid& Shown() const { return static_cast<const MemoryResultGrid&>(Target()); }
};

// Pages whose grids are in memory.
inline ResultPages MemoryPages() {
  return ResultPages([] { return std::make_unique<MemoryResultGrid>(); });
}

}  // namespace zuno::testing
