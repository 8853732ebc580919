#include <gtest/gtest.h>

#include "app/connect_handler.h"
#include "query/run_statement.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"

namespace zuno {
namespace {

using testing::DataSource;
using testing::HandlerHarness;

struct CallTest : ::testing::TestWithParam<DataSource (*)()> {
  HandlerHarness h;

  void SetUp() override {
    ZUNO_REQUIRE_FIXTURES();
    const DataSource d = GetParam()();
    h.ui.SetText(kDataSourceBox, d.dsn);
    h.ui.SetText(kUserField, d.user);
    h.ui.SetText(kPasswordField, d.password);
    h.ui.SetText(kRowsToFetchBox, "50");
    OnConnectClicked(h.session);
    ASSERT_TRUE(h.db.Connected()) << h.db.LastError();
    h.ui.messages.clear();
  }
};

// Each In and InOut marker is asked for by its parameter's name; the values
// of the InOut and Out markers come back, and the row of output values the
// driver adds is no result set.
TEST_P(CallTest, MarkersAreAskedForAndOutputValuesShown) {
  struct {
    const char* call;
    std::vector<std::string> answers, prompts;
    std::string output;
  } cases[] = {
      {"CALL PUBLIC.TALLY_NOTE(?, ?, ?)",
       {"4", "first"},
       {"ZUNO|Enter data for parameter p_order|", "ZUNO|Enter data for parameter p_note|"},
       "Parameter Name  : p_note\nParameter Value : first seen\nParameter Name  : p_total\nParameter Value : 40"},
      {"call public.tally_note(7, ?, ?)",
       {"x"},
       {"ZUNO|Enter data for parameter p_note|"},
       "Parameter Name  : p_note\nParameter Value : x seen\nParameter Name  : p_total\nParameter Value : 70"},
      {"call public.tally_note(?, 'y', ?)", {"2"}, {"ZUNO|Enter data for parameter p_order|"},
       "Parameter Name  : p_total\nParameter Value : 20"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    h.ui.messages.clear();
    h.ui.prompts.clear();
    h.ui.textAnswers.assign(c.answers.begin(), c.answers.end());
    h.ui.SetText(kSqlEditor, c.call);
    RunStatement(h.session);
    EXPECT_EQ(h.ui.prompts, c.prompts);
    EXPECT_TRUE(h.ui.messages.empty());
    ASSERT_EQ(h.ui.notes.size(), 1u);
    EXPECT_EQ(h.ui.notes[0], "Value of output parameters\n--------------------------\n" + c.output);
    EXPECT_EQ(h.grid.ColumnCount(), 0);
    EXPECT_EQ(h.ui.Text(kRowCountText), "Row Count: 0");
    EXPECT_EQ(h.ui.ListItems(kHistoryList).back(), c.call);
  }
}

TEST_P(CallTest, AGivenUpValueOrAWrongCountRunsNothing) {
  struct {
    const char* call;
    std::vector<std::string> messages;
  } cases[] = {
      {"call public.tally_note(?, ?, ?)", {}},  // no answer to the first prompt
      {"call public.tally_note(?, ?)", {"The procedure PUBLIC.TALLY_NOTE has 3 parameters; the CALL gives 2."}},
      {"call public.no_such(?)",
       {"The procedure PUBLIC.NO_SUCH was not found, or the driver does not describe it."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    h.ui.messages.clear();
    h.ui.SetText(kSqlEditor, c.call);
    RunStatement(h.session);
    EXPECT_EQ(h.ui.messages, c.messages);
    EXPECT_TRUE(h.ui.ListItems(kHistoryList).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(BothFlavours, CallTest, ::testing::Values(testing::PgLuw, testing::PgZos),
                         [](const auto& info) { return info.index == 0 ? "Luw" : "Zos"; });

}  // namespace
}  // namespace zuno
