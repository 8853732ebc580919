#include "query/fetch_budget.h"

#include <limits>

namespace zuno {

std::uint64_t FetchBudget(const MemoryFiles& files) {
  const std::optional<std::uint64_t> available = AvailableMemory(files);
  return available ? *available / 2 : std::numeric_limits<std::uint64_t>::max();
}

}  // namespace zuno
