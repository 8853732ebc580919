#pragma once

#include <string>
#include <string_view>

namespace zuno {

// What the Timer Seconds field keeps of typed or pasted text.
std::string KeepDigits(std::string_view text);

// Leading blanks skipped, then the digits up to the first non-digit; empty is 0.
// Values too large for a timer period are capped at the largest one it takes.
int ParseTimerSeconds(std::string_view text);

constexpr int kMaxTimerSeconds = 2147483;  // period in milliseconds fits 32 bits

}  // namespace zuno
