// Save Report on both drivers: the type the file's name asks for, NULL and
// the empty text read back apart, and a value not fetched whole refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"
#include "tools/report_export.h"

namespace zuno {
namespace {

using Fields = std::vector<std::optional<std::string>>;

// The lines of a CSV text as a reader that keeps quotes in mind takes them:
// an empty field without quotes is NULL (nullopt), "" is the empty text.
std::vector<Fields> ReadCsv(const std::string& text, char delimiter) {
  std::vector<Fields> lines;
  Fields line;
  std::optional<std::string> field;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '"' && !field) {
      field.emplace();
      for (++i; i < text.size() && (text[i] != '"' || text.compare(i, 2, "\"\"") == 0); ++i)
        *field += text[i] == '"' ? text[i++] : text[i];  // a doubled quote stands for one
      ++i;  // the closing quote
    } else if (text[i] == delimiter || text.compare(i, 2, "\r\n") == 0) {
      line.push_back(std::exchange(field, std::nullopt));
      if (text[i] != delimiter) lines.push_back(std::exchange(line, {}));
      i += text[i] == delimiter ? 1 : 2;
    } else {
      field = field.value_or("") + text[i++];
    }
  }
  return lines;
}

struct CsvReportTest : ::testing::TestWithParam<testing::DataSource (*)()> {
  testing::HandlerHarness h;
  testing::TempDir dir;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    ASSERT_TRUE(testing::ConnectTo(h.db, GetParam()()));
    h.ui.SetText(kRowsToFetchBox, "50");
  }
  void Run(const std::string& sql) {
    h.ui.SetText(kSqlEditor, sql);
    RunStatement(h.session);
    ASSERT_GT(h.grid.ColumnCount(), 0) << sql;
  }
  void Save(const std::string& file, std::optional<SaveFileType> picked, const char* delimiter = ";") {
    h.ui.yesNoAnswers = {true};
    h.ui.textAnswers = {delimiter};
    h.ui.fileAnswers = {file};
    h.ui.fileTypeAnswers.clear();
    if (picked) h.ui.fileTypeAnswers.push_back(*picked);
    OnSaveReportClicked(h.session);
  }
};

TEST_P(CsvReportTest, ANameEndingInCsvIsACsvFileUnlessTheReportWasPicked) {
  Run("select 7 as \"ID\", 'Ann' as \"NAME\"");
  const std::string report = "ID;NAME;\n", csv = "ID;NAME\r\n";
  struct {
    const char* name;
    std::optional<SaveFileType> picked;
    const std::string& starts;
  } cases[] = {
      {"out.csv", std::nullopt, csv},
      {"OUT.CSV", std::nullopt, csv},
      {"out.Csv", std::nullopt, csv},
      {"out.csv", SaveFileType::Report, report},
      {"out.txt", std::nullopt, report},
      {"outcsv", std::nullopt, report},
      {"out.csv.txt", std::nullopt, report},
      {"out.txt", SaveFileType::Csv, csv},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + (c.picked ? " picked" : ""));
    const std::string file = dir.File(c.name);
    Save(file, c.picked);
    EXPECT_EQ(testing::ReadFileBytes(file).substr(0, c.starts.size()), c.starts);
    std::filesystem::remove(file);
  }
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_P(CsvReportTest, NullAndTheEmptyTextReadBackApart) {
  Run("select cast(null as varchar(5)) as \"N\", cast('' as varchar(5)) as \"E\", 'x' as \"X\", "
      "cast(null as integer) as \"I\"");
  const std::string file = dir.File("values.csv");
  Save(file, std::nullopt, ",");
  const std::vector<Fields> expected{{"N", "E", "X", "I"}, {std::nullopt, "", "x", std::nullopt}};
  EXPECT_EQ(ReadCsv(testing::ReadFileBytes(file), ','), expected) << testing::ReadFileBytes(file);
}

TEST_P(CsvReportTest, AValueNotFetchedWholeIsNeverWrittenAsIfWhole) {
  const bool sqlite = GetParam() == &testing::Sqlite;
  Run(std::string("select 1 as \"ID\", ") + (sqlite ? "zeroblob(70000)" : "decode(repeat('ab', 70000), 'hex')") +
      " as \"HUGE\"");
  const std::string file = dir.File("huge.csv");
  testing::WriteFileBytes(file, "kept");
  Save(file, std::nullopt);
  EXPECT_EQ(h.ui.messages,
            std::vector<std::string>{
                "The value in row 1, column HUGE was not fetched whole: a CSV file would not hold it, so nothing "
                "was written."});
  EXPECT_EQ(testing::ReadFileBytes(file), "kept");
  // The report writes what the grid shows, as it always does.
  Save(dir.File("huge.txt"), std::nullopt);
  EXPECT_EQ(testing::ReadFileBytes(dir.File("huge.txt")), "ID;HUGE;\n" + h.grid.CellText(0, 0) + ";binary Data;\n");
}

INSTANTIATE_TEST_SUITE_P(BothDrivers, CsvReportTest, ::testing::Values(&testing::PgPlain, &testing::Sqlite),
                         [](const auto& info) { return info.index == 0 ? "PostgreSQL" : "SQLite"; });

}  // namespace
}  // namespace zuno
