#include "catalog/table_details.h"

#include <optional>
#include <vector>

#include "base/clock.h"
#include "catalog/catalog_buttons.h"
#include "catalog/object_catalog_sql.h"
#include "catalog/table_ddl.h"
#include "catalog/table_description_read.h"
#include "catalog/table_list_columns.h"
#include "grid/cell_text.h"
#include "query/elapsed_time.h"
#include "session/page_switch.h"
#include "session/row_count.h"

namespace zuno {
namespace {

constexpr std::string_view kNoTable =
    "Table Details needs a table: select a table's row in a catalog list, or drill into a table first.";
constexpr std::string_view kUnknownTable = " is a table the catalog does not describe.";
constexpr std::string_view kNull = "Null";
constexpr std::string_view kDdlSection = "DDL";

// The details' columns; the DDL stands in the last one.
constexpr std::string_view kTitles[] = {"SECTION", "NAME", "TYPE", "LENGTH", "SCALE", "NULLS", "DEFAULT", "DETAIL"};
constexpr int kTitleWidths[] = {110, 160, 90, 60, 50, 50, 90, 400};
constexpr int kDetailColumn = 7;

void AddRow(ResultRows& rows, std::string_view section, std::string_view name, std::string_view detail) {
  rows.AddCell(section);
  rows.AddCell(name);
  for (int c = 2; c < kDetailColumn; ++c) rows.AddCell("");
  rows.AddCell(detail);
  rows.EndRow();
}

std::string_view UniqueRuleText(char rule) {
  switch (rule) {
    case 'D': return "DUPLICATES";
    case 'P': return "PRIMARY";
    case 'N': return "UNIQUE WHERE NOT NULL";
    default: return "UNIQUE";
  }
}

ResultRows DetailRows(const TableDescription& t, const std::string& ddl) {
  ResultRows rows;
  for (const TableColumn& c : t.columns) {
    rows.AddCell("COLUMN");
    rows.AddCell(c.name);
    rows.AddCell(c.type.substr(0, c.type.find_last_not_of(' ') + 1));
    rows.AddCell(std::to_string(c.length));
    rows.AddCell(std::to_string(c.scale));
    rows.AddCell(c.nullable ? "Y" : "N");
    if (c.defaultValue)
      rows.AddCell(*c.defaultValue);
    else
      rows.AddCell(kNull, true);
    rows.AddCell(ColumnTypeText(c) + (c.nullable ? "" : " NOT NULL"));
    rows.EndRow();
  }
  for (const TableKey& k : t.keys)
    AddRow(rows, k.type == 'P' ? "PRIMARY KEY" : "UNIQUE KEY", k.name, NameList(k.columns));
  for (const TableCheck& c : t.checks) AddRow(rows, "CHECK", c.name, c.condition);
  for (const TableIndex& i : t.indexes) {
    rows.AddCell("INDEX");
    rows.AddCell(i.schema + "." + i.name);
    rows.AddCell(UniqueRuleText(i.uniqueRule));
    for (int c = 3; c < kDetailColumn; ++c) rows.AddCell("");
    rows.AddCell(IndexColumnsText(i));
    rows.EndRow();
  }
  for (const ForeignKey& f : t.foreignKeys) {
    const bool own = f.childSchema == t.schema && f.childTable == t.name;
    AddRow(rows, own ? "FOREIGN KEY" : "REFERENCED BY", f.name, ForeignKeyText(f));
  }
  rows.AddCell(kDdlSection);
  rows.AddCell(t.schema + "." + t.name);
  for (int c = 2; c < kDetailColumn; ++c) rows.AddCell("");
  rows.AddCell(MarkLineFeeds(ddl), CellValue{ddl, ValueKind::Text});
  rows.EndRow();
  return rows;
}

void ShowDetails(Session& s, TableRead& read, std::int64_t executedAt) {
  if (!read.ok) return s.jobs.Tell(read.error);
  // Every table has a column: without one there is no table to write DDL for.
  if (read.table.columns.empty())
    return s.jobs.Tell(read.table.schema + "." + read.table.name + std::string(kUnknownTable));
  s.state.endTime = executedAt;
  OpenRunPage(s).mode = GridMode::TableDetails;
  for (std::size_t c = 0; c < std::size(kTitles); ++c) s.grid.AddColumn(-1, kTitles[c], kTitleWidths[c]);
  const std::string ddl = TableDdl(read.table);
  ResultRows rows = DetailRows(read.table, ddl);
  const std::size_t count = rows.RowCount();
  s.grid.AppendRows(std::move(rows));
  ShowElapsedTime(s);
  ShowRowCount(s.ui, static_cast<long long>(count));
}

// The table a catalog row names (an alias's base table), or the one drilled
// into last while its result is shown; none for any other row.
std::optional<std::pair<std::string, std::string>> ChosenTable(Session& s) {
  const int row = s.grid.SelectedRow();
  const ResultPage& page = CurrentPage(s);
  if (page.mode == GridMode::Catalog && row >= 0) {
    const std::string type = s.grid.CellText(row, kTypeColumn);
    if (type == "A") return std::pair{s.grid.CellText(row, kBaseSchemaColumn), s.grid.CellText(row, kBaseNameColumn)};
    if (type == "T") return std::pair{s.grid.CellText(row, kSchemaColumn), s.grid.CellText(row, kNameColumn)};
    return std::nullopt;
  }
  if (page.mode == GridMode::Query && !page.drilledTableName.empty())
    return std::pair{page.drilledTableSchema, page.drilledTableName};
  return std::nullopt;
}

}  // namespace

void OnTableDetails(Session& s) {
  if (!IsDb2Source(s)) return;
  const auto table = ChosenTable(s);
  if (!table) return s.ui.ShowMessage(kNoTable);
  const TableDetailsSql sql = TableDetailsQueries(s.state.databaseFlavour, table->first, table->second);
  s.state.startTime = NowMilliseconds();
  TableRead read;
  std::int64_t executedAt = 0;
  s.jobs.Run({
      .work =
          [&, &db = s.db] {
            read = ReadTableDescription(db, sql, table->first, table->second);
            executedAt = NowMilliseconds();
          },
      .apply = [&] { ShowDetails(s, read, executedAt); },
      .cancel = [&] { s.db.Cancel(); },
  });
}

void OnTableDetailsDoubleClick(Session& s) {
  for (int row = s.grid.RowCount() - 1; row >= 0; --row)
    if (s.grid.CellText(row, 0) == kDdlSection) {
      const CellValue ddl = s.grid.Rows().Value(static_cast<std::size_t>(row), kDetailColumn);
      return s.ui.SetText(kSqlEditor, ddl.bytes);
    }
}

}  // namespace zuno
