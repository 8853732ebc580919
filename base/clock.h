// Start Time and End Time: milliseconds from the wall clock.
#pragma once

#include <cstdint>

namespace zuno {

// Whole seconds since the process first read the clock, times 1,000, plus the
// milliseconds of the current second.
std::int64_t NowMilliseconds();

}  // namespace zuno
