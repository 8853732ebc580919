// The pages that freed memory leaves in the heap go back to the system once
// the database has rested a moment. A driver may hold its own copy of a
// whole result in many small pieces, which stay with the process as free
// memory once given back; returned at the end of every result, they would
// be taken from the system again, page by page, by the next large one.
#pragma once

#include <chrono>

namespace zuno {

// Long enough that statements run one after another, by hand or by the
// Autorun Timer, keep their pages.
inline constexpr std::chrono::seconds kTrimRest{3};

// A result has been finished: its free pages go back after the rest, unless
// a statement starts first.
void TrimAfterRest();
// A statement starts: nothing goes back while it runs.
void HoldTrim();

}  // namespace zuno
