// The in-process cases of zuno_bench. Each runs ZUNO's handler and its floor
// by turns, `runs` times each after one untimed round, and prints a sample
// line per timed run (see samples.h). A run that does not end as the case
// expects ends the process with an error.
#pragma once

#include <string>
#include <vector>

namespace zuno::bench {

struct Login {
  std::string dsn;
  std::string user;
  std::string password;
};

// Run Statement of `sql` (which must give at least 50 rows of `columns`
// columns) until the grid is filled, against the plain fetch of the same 50
// rows. Samples under `key`.
void RunQueryCase(const std::string& key, const Login& login, const std::string& sql, int columns, int runs);

// Run Statement of `sql` with Rows to fetch "0", every row of it (`rows`
// rows of `columns` columns) until the grid is filled, against the plain
// fetch of the same statement. Samples under "query-all".
// Samples under key (against the per-value floor) and key-blocks.
void RunWholeQueryCase(const Login& login, const std::string& sql, long rows, int columns, int runs,
                       const std::string& key);

// What a shown result of `sql` (Rows to fetch "0") adds to the resident set,
// once, in this process: samples "result-memory", ZUNO the kilobytes added
// from the empty grid to the result drawn, the floor the kilobytes of its
// cell texts.
void ResultMemoryCase(const Login& login, const std::string& sql);

// The Last Creator list of `creator` (every row, eight columns) filled into
// an empty grid, against the plain fetch of the same statement. Samples under
// "catalog", and "catalog-drawn" for the time until the grid has drawn.
void CatalogListCase(const Login& login, const std::string& creator, int runs);

// Completion of the names of `schema`'s tables (100,000 of them, T000001 to
// T100000): from Ctrl+Space after "BIG.t09999" until the ten names are
// offered, read afresh, against the plain fetch of the schema's table list;
// samples "completion-first". And the worst delay of a key typed every 20 ms
// while the names load, against the same typing with nothing loading;
// samples "completion-typing".
void CompletionCase(const Login& login, const std::string& schema, int runs);

// Save, load and list in a store of `records` records in `directory`, against
// reading and writing the store's bytes once. Samples under "store-save",
// "store-load", "store-list" and "store-bytes" (the floor).
void QueryStoreCase(const std::string& directory, int records, int runs);

// Save Report of a grid of `rows` catalog rows into `directory`, against
// writing the report's bytes once. Samples under "report".
void ReportExportCase(const std::string& directory, int rows, int runs);

// A header click's sort of a grid of `rows` catalog rows, by a name column
// ("sort-text") and by a number column ("sort-number"), against a plain
// stable sort of the column's texts.
void GridSortCase(int rows, int runs);

// Run Statement with Rows to fetch "0" until the grid first draws rows:
// `bigSql` (a long result read through a cursor, cancelled once drawn)
// against `smallSql` (50 rows of the same columns). Samples "first-rows".
void FirstRowsCase(const Login& login, const std::string& bigSql, const std::string& smallSql, int runs);

// The resident set at rest after `bigSql` (`bigRows` rows) was shown and
// replaced by `oneRowSql`, against the same before it ran ("memory-back");
// after five such runs against after one ("memory-five"). Kilobytes.
void MemoryBackCase(const Login& login, const std::string& bigSql, long bigRows, const std::string& oneRowSql);

struct SizedQuery {
  long rows;
  std::string sql;
};
// Every row of each query, smallest first: the time and the resident set
// added per 1,000 rows of the largest against those of the smallest
// ("growth-time", "growth-memory"), and each size's own figures.
void GrowthCase(const Login& login, const std::vector<SizedQuery>& sizes, int runs);

}  // namespace zuno::bench
