#include "query/fetch_budget.h"

#include <algorithm>
#include <limits>

namespace zuno {

std::uint64_t FetchBudget(const MemoryFiles& files) {
  const std::optional<std::uint64_t> available = AvailableMemory(files);
  return available ? *available / 2 : std::numeric_limits<std::uint64_t>::max();
}

std::size_t ValueBound(std::uint64_t budget) {
  // A sixteenth of the budget in the UTF-16 buffer, at two bytes a unit.
  constexpr std::uint64_t kShare = 16 * 2, kLeast = 64 * 1024;
  const std::uint64_t units = std::max(budget / kShare, kLeast);
  return static_cast<std::size_t>(std::min<std::uint64_t>(units, std::numeric_limits<std::size_t>::max()));
}

}  // namespace zuno
