// A result's rows on their way to the grid while the fetch goes on: the
// first block at once, so the user sees rows as soon as the driver gives
// some, then the rows ended since, no more often than every kPieceEvery, so
// the windows spend their time on the user and not on the appends.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

#include "db/type_class.h"
#include "grid/result_rows.h"
#include "query/result_columns.h"

namespace zuno {

inline constexpr std::chrono::milliseconds kPieceEvery{100};

// When the next piece is due; plain values, so any clock will do.
class PieceClock {
 public:
  using Clock = std::chrono::steady_clock;
  // A row has been ended, waiting rows wait to be handed on after the
  // handed ones; blockEnded: the driver has no more rows at hand. The first
  // block's end is due at once; a later one kPieceEvery after the piece
  // before, once the rows waiting are as many as those handed: each piece
  // at least doubles the rows shown, so the grid takes a result of any size
  // in a few appends.
  bool Due(bool blockEnded, Clock::time_point now, std::size_t waiting, std::size_t handed);

 private:
  std::optional<Clock::time_point> last_;
};

// One piece: its rows, with the columns (the first piece only) and the
// classes the rows so far gave them.
struct FetchedPiece {
  std::vector<ResultColumn> columns;
  std::vector<TypeClass> classes;
  ResultRows rows;
};

// The pieces between the worker that hands them and the windows' thread
// that shows them.
class PieceHandOff {
 public:
  // wake: from the worker, after each piece (the windows take it then).
  explicit PieceHandOff(std::function<void()> wake) : wake_(std::move(wake)) {}
  void Hand(FetchedPiece piece);
  std::vector<FetchedPiece> Take();

 private:
  std::function<void()> wake_;
  std::mutex mutex_;
  std::vector<FetchedPiece> pieces_;
};

}  // namespace zuno
