// Save, load and list in a large query store, each against the least a
// program does with the same file: read its bytes and write them once.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/cases.h"
#include "bench/samples.h"
#include "library/query_store.h"
#include "library/query_store_format.h"

namespace zuno::bench {
namespace {

std::string RecordName(int n) {
  char name[64];
  std::snprintf(name, sizeof name, "Query %05d orders by city", n);
  return name;
}

// Statements of a few lines, as the editor holds them; every tenth has a
// quoted name, whose quotes the file doubles.
std::string RecordSql(int n, int variant) {
  std::string sql = "SELECT C.ID, C.NAME, C.CITY, O.ITEM, O.QTY\nFROM SHOP.CUSTOMERS C\nJOIN SHOP.ORDERS O ON O.CUSTOMER = C.ID\n";
  sql += "WHERE C.CITY = 'City " + std::to_string(n) + "' AND O.QTY > " + std::to_string(variant);
  if (n % 10 == 0) sql += " AND \"Order Date\" > CURRENT DATE - 30 DAYS";
  sql += "\nORDER BY C.NAME, O.ITEM";
  return sql;
}

std::string ReadBytes(const std::string& path) {
  std::string bytes;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("cannot open the store");
  char buffer[65536];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(n));
  close(fd);
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) Fail("cannot write");
  close(fd);
}

// The floor: the store's bytes read and written once.
double TimeBytes(const std::string& store, const std::string& copy) {
  double start = NowMs();
  WriteBytes(copy, ReadBytes(store));
  return NowMs() - start;
}

template <typename Operation>
double Time(Operation operation) {
  double start = NowMs();
  operation();
  return NowMs() - start;
}

}  // namespace

void QueryStoreCase(const std::string& directory, int records, int runs) {
  const QueryStore store{directory + "/zuno.sql"};
  const std::string copy = directory + "/copy.sql";
  std::vector<QueryRecord> all;
  for (int n = 1; n <= records; ++n) all.push_back({RecordName(n), RecordSql(n, 0), "DB2INST1"});
  WriteBytes(store.path, EncodeQueryRecords(all));

  const std::string saved = RecordName(records / 2);
  const std::string loaded = RecordName(records - 1);
  for (int i = -1; i < runs; ++i) {
    const bool timed = i >= 0;
    auto sample = [timed](const char* key, const char* who, double ms) {
      if (timed) PrintSample(key, who, ms);
    };
    // A save that changes a record in the middle: read, replace, write back.
    const std::string text = RecordSql(records / 2, i + 2);
    sample("store-save", "floor", TimeBytes(store.path, copy));
    sample("store-save", "zuno", Time([&] {
             if (!SaveQuery(store, saved, text, "DB2INST1")) Fail("the save failed");
           }));
    if (LoadQuery(store, saved) != text) Fail("the saved text does not load back");

    std::optional<std::string> found;
    sample("store-load", "zuno", Time([&] { found = LoadQuery(store, loaded); }));
    sample("store-load", "floor", TimeBytes(store.path, copy));
    if (found != RecordSql(records - 1, 0)) Fail("the load did not find its record");

    std::vector<std::string> names;
    sample("store-list", "floor", TimeBytes(store.path, copy));
    sample("store-list", "zuno", Time([&] { names = ListQueryNames(store); }));
    if (static_cast<int>(names.size()) != records) Fail("the list does not hold every record");
  }
}

}  // namespace zuno::bench
