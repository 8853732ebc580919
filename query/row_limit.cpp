#include "query/row_limit.h"

#include <limits>

namespace zuno {

int ParseRowLimit(std::string_view text) {
  if (text.empty()) return kDefaultRowLimit;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long long kMax = std::numeric_limits<int>::max();
  constexpr long long kMin = std::numeric_limits<int>::min();
  long long magnitude = 0;  // stops growing once past every int
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (magnitude <= kMax) magnitude = magnitude * 10 + (text[i] - '0');
  return static_cast<int>(negative ? (-magnitude < kMin ? kMin : -magnitude)
                                   : (magnitude > kMax ? kMax : magnitude));
}

}  // namespace zuno
