// What every benchmark program prints: one line per measurement,
//   sample <TAB> case <TAB> who <TAB> value
// where who is "zuno" or "floor"; bench/table.py turns the lines of a run into
// the table. Times are milliseconds, memory kilobytes.
#pragma once

#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace zuno::bench {

// The clock every process on the machine shares, so a time taken before a
// program is started compares with one taken by the watcher that saw it draw.
inline double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

inline void PrintSample(std::string_view benchCase, std::string_view who, double value) {
  std::printf("sample\t%.*s\t%.*s\t%.3f\n", static_cast<int>(benchCase.size()), benchCase.data(),
              static_cast<int>(who.size()), who.data(), value);
  std::fflush(stdout);
}

// A measurement that went wrong ends the run: a figure from a run that did
// not do the work would be worse than none.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "bench: %s\n", what);
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace zuno::bench
