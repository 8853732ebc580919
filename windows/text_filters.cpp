#include "windows/text_filters.h"

namespace zuno {

std::string KeepDigits(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

int ParseTimerSeconds(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kMaxTimerSeconds) return kMaxTimerSeconds;
  }
  return static_cast<int>(value);
}

}  // namespace zuno
