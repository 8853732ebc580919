#include "query/fetch_pieces.h"

#include <utility>

namespace zuno {

bool PieceClock::Due(bool blockEnded, Clock::time_point now, std::size_t waiting, std::size_t handed) {
  if (!blockEnded || (last_ && (now - *last_ < kPieceEvery || waiting < handed))) return false;
  last_ = now;
  return true;
}

void PieceHandOff::Hand(FetchedPiece piece) {
  {
    std::lock_guard lock(mutex_);
    pieces_.push_back(std::move(piece));
  }
  if (wake_) wake_();
}

std::vector<FetchedPiece> PieceHandOff::Take() {
  std::lock_guard lock(mutex_);
  return std::exchange(pieces_, {});
}

}  // namespace zuno
