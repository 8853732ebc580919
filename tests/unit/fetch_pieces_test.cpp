#include "query/fetch_pieces.h"

#include <gtest/gtest.h>

#include <vector>

namespace zuno {
namespace {

using namespace std::chrono_literals;

// Each step: a row ended so long after the start, at a block's end or not,
// and whether a piece is due then.
struct Step {
  std::chrono::milliseconds at;
  bool blockEnded;
  bool due;
};

TEST(PieceClockTest, TheFirstBlockGoesAtOnceAndLaterOnesNoMoreOftenThanTheInterval) {
  struct {
    const char* fault;
    std::vector<Step> steps;
  } cases[] = {
      {"the first block waits", {{0ms, false, false}, {1ms, true, true}}},
      {"a row inside a block is handed on", {{0ms, true, true}, {500ms, false, false}}},
      {"a block soon after a piece is handed on", {{0ms, true, true}, {99ms, true, false}, {100ms, true, true}}},
      {"a piece soon after the one before is handed on",
       {{0ms, true, true}, {150ms, true, true}, {200ms, true, false}, {250ms, true, true}}},
      {"a late first block still goes at once", {{5000ms, true, true}, {5001ms, true, false}}},
  };
  for (const auto& c : cases) {
    PieceClock clock;
    const PieceClock::Clock::time_point start{};
    for (const Step& s : c.steps)
      EXPECT_EQ(clock.Due(s.blockEnded, start + s.at), s.due) << c.fault << " at " << s.at.count();
  }
}

}  // namespace
}  // namespace zuno
