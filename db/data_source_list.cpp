#include "db/data_source_list.h"

#include <algorithm>

#include "sql/sql_characters.h"

namespace zuno {
namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
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
