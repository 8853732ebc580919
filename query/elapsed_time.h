#pragma once

#include <cstdint>
#include <string>

#include "session/session.h"

namespace zuno {

// "SQL Sec. " and the seconds between two millisecond times as DoubleText.
std::string ElapsedText(std::int64_t startMs, std::int64_t endMs);

// The Elapsed Time text: "SQL Sec. " and the seconds from Start Time to End
// Time as the last operation left them.
void ShowElapsedTime(Session& s);

// How a run ended that showed no rows of its own.
enum class RunEnd { Failed, Cancelled };

// The figures of a run that ended before it showed rows: End Time := now,
// Row Count 0 with how it ended, and the time it took, so that nothing of
// the run before stays on show.
void ShowEndedRun(Session& s, RunEnd end);

// The same for a run the user gave up at a prompt, before anything ran.
void ShowGivenUpRun(Session& s);

}  // namespace zuno
