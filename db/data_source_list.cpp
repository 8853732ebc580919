#include "db/data_source_list.h"

#include <algorithm>

namespace zuno {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
  });
}

}  // namespace

void SortIgnoringCase(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(), LessIgnoringCase);
}

std::vector<std::string> ListDataSources(OdbcLayer& db) {
  std::vector<std::string> names;
  if (db.FirstDataSource())
    while (names.size() < kMaxDataSourceNames && db.NextDataSource()) names.push_back(db.DataSourceName());
  SortIgnoringCase(names);
  return names;
}

}  // namespace zuno
