#include "query/fetch_pieces.h"

#include <gtest/gtest.h>

#include <vector>

namespace zuno {
namespace {

using namespace std::chrono_literals;

// Each step: a row ended so long after the start, at a block's end or not,
// with so many rows waiting and so many handed on, and whether a piece is
// due then.
struct Step {
  std::chrono::milliseconds at;
  bool blockEnded;
  std::size_t waiting, handed;
  bool due;
};

TEST(PieceClockTest, TheFirstBlockGoesAtOnceAndLaterOnesNoMoreOftenThanTheIntervalAndAtLeastDoubling) {
  struct {
    const char* fault;
    std::vector<Step> steps;
  } cases[] = {
      {"the first block waits", {{0ms, false, 9, 0, false}, {1ms, true, 10, 0, true}}},
      {"a row inside a block is handed on", {{0ms, true, 5, 0, true}, {500ms, false, 50, 5, false}}},
      {"a block soon after a piece is handed on",
       {{0ms, true, 5, 0, true}, {99ms, true, 50, 5, false}, {100ms, true, 50, 5, true}}},
      {"a piece soon after the one before is handed on",
       {{0ms, true, 5, 0, true}, {150ms, true, 5, 5, true}, {200ms, true, 20, 10, false}, {250ms, true, 20, 10, true}}},
      {"a piece smaller than the rows shown is handed on",
       {{0ms, true, 512, 0, true}, {300ms, true, 511, 512, false}, {310ms, true, 512, 512, true}}},
      {"a late first block still goes at once", {{5000ms, true, 1, 0, true}, {5001ms, true, 1, 1, false}}},
  };
  for (const auto& c : cases) {
    PieceClock clock;
    const PieceClock::Clock::time_point start{};
    for (const Step& s : c.steps)
      EXPECT_EQ(clock.Due(s.blockEnded, start + s.at, s.waiting, s.handed), s.due) << c.fault << " at " << s.at.count();
  }
}

}  // namespace
}  // namespace zuno
