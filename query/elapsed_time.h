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

}  // namespace zuno
