// The behaviour every Result Grid shares, written once and run against each
// implementation: the in-memory grid in unit_tests, the widget in gui_tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "grid/result_grid.h"

namespace zuno::testing {

// A fresh grid with what the operations themselves do not read back: widths,
// hidden columns, colours and the grid's own visibility.
class GridUnderTest {
 public:
  virtual ~GridUnderTest() = default;
  virtual ResultGrid& grid() = 0;
  virtual int ColumnWidth(int column) const = 0;
  virtual bool ColumnVisible(int column) const = 0;
  virtual std::optional<Rgb> Background(int row, int column) const = 0;
  virtual bool GridVisible() const = 0;
  virtual int MarkedHeader() const = 0;  // the header with the sort mark; -1: none
  // Lets a toolkit do what it left for later (idle work, layout, drawing).
  virtual void Settle() {}
};

// Reads back through the accessors both implementations have under the same names.
template <typename Grid>
class ReadBackOf : public GridUnderTest {
 public:
  explicit ReadBackOf(Grid& grid) : grid_(grid) {}
  ResultGrid& grid() override { return grid_; }
  int ColumnWidth(int column) const override { return grid_.ColumnWidth(column); }
  bool ColumnVisible(int column) const override { return grid_.ColumnVisible(column); }
  std::optional<Rgb> Background(int row, int column) const override {
    return grid_.Background(row, column);
  }
  bool GridVisible() const override { return grid_.visible(); }
  int MarkedHeader() const override { return grid_.MarkedHeader(); }

 private:
  Grid& grid_;
};

struct GridImplementation {
  std::string name;
  std::function<std::unique_ptr<GridUnderTest>()> make;
};

inline void PrintTo(const GridImplementation& implementation, std::ostream* os) {
  *os << implementation.name;
}

inline std::string ImplementationName(const ::testing::TestParamInfo<GridImplementation>& info) {
  return info.param.name;
}

class ResultGridContract : public ::testing::TestWithParam<GridImplementation> {
 protected:
  std::unique_ptr<GridUnderTest> Fresh() const { return GetParam().make(); }
};

}  // namespace zuno::testing
