#include "library/query_name_order.h"

#include <algorithm>
#include <cwctype>
#include <numeric>

#include "db/wide_text.h"

namespace zuno {
namespace {

std::u16string LoweredUnits(const std::string& name) {
  std::u16string units = Utf8ToUtf16(name);
  for (char16_t& u : units) u = static_cast<char16_t>(std::towlower(u));
  return units;
}

}  // namespace

void SortQueryNames(std::vector<std::string>& names) {
  std::vector<std::u16string> keys;
  keys.reserve(names.size());
  for (const std::string& name : names) keys.push_back(LoweredUnits(name));

  std::vector<std::size_t> order(names.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (std::size_t i : order) sorted.push_back(std::move(names[i]));
  names = std::move(sorted);
}

}  // namespace zuno
