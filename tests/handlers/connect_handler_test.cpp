#include "app/connect_handler.h"

#include <gtest/gtest.h>

#include <clocale>

#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"

namespace zuno {
namespace {

using testing::DataSource;
using testing::HandlerHarness;

constexpr Control kUnlocked[] = {kRunButton,        kCatalogButton,    kCreatorsButton,
                                 kLastCreatorButton, kSaveReportButton, kSaveLoadQueryButton};

struct ConnectTest : ::testing::Test {
  HandlerHarness h;

  void SetUp() override { ZUNO_REQUIRE_FIXTURES(); }

  void Type(const std::string& dsn, const std::string& user, const std::string& password) {
    h.ui.SetText(kDataSourceBox, dsn);
    h.ui.SetText(kUserField, user);
    h.ui.SetText(kPasswordField, password);
  }
  void ConnectTo(const DataSource& d) {
    Type(d.dsn, d.user, d.password);
    OnConnectClicked(h.session);
  }
  std::string Title() { return h.ui.titles[WindowId::Main]; }
};

TEST_F(ConnectTest, EmptyUserOrPasswordAsksForBothAndTriesNothing) {
  for (auto [user, password] : {std::pair{"", "pw"}, std::pair{"zuno", ""}, std::pair{"", ""}}) {
    HandlerHarness fresh;
    fresh.ui.SetText(kDataSourceBox, "ZUNO_PG_LUW");
    fresh.ui.SetText(kUserField, user);
    fresh.ui.SetText(kPasswordField, password);
    OnConnectClicked(fresh.session);
    EXPECT_EQ(fresh.ui.messages, std::vector<std::string>{"please enter User and Password!"});
    EXPECT_FALSE(fresh.ui.busyOpen);
    EXPECT_EQ(fresh.ui.busyOpened, 1);
    EXPECT_EQ(fresh.ui.Text(kElapsedTimeText), "SQL Elapse Time");
    EXPECT_FALSE(fresh.db.Connected());
    // The texts are captured at every click, also one that stops here.
    EXPECT_EQ(fresh.state.connectionDsn, "ZUNO_PG_LUW");
    EXPECT_EQ(fresh.state.connectionUser, user);
    EXPECT_EQ(fresh.state.connectionPassword, password);
  }
}

TEST_F(ConnectTest, EachCatalogGivesItsFlavourInTheTitle) {
  struct {
    DataSource source;
    const char* title;
  } cases[] = {
      {testing::PgLuw(), "ZUNO - Db2/LUW"},
      {testing::PgZos(), "ZUNO - Db2/zOS"},
      {testing::PgBoth(), "ZUNO - Db2/zOS"},  // both catalogs answer: the later probe wins
      {testing::PgPlain(), "ZUNO"},           // neither: no flavour
  };
  for (const auto& c : cases) {
    HandlerHarness fresh;
    fresh.ui.SetText(kDataSourceBox, c.source.dsn);
    fresh.ui.SetText(kUserField, c.source.user);
    fresh.ui.SetText(kPasswordField, c.source.password);
    OnConnectClicked(fresh.session);
    SCOPED_TRACE(c.source.dsn);
    EXPECT_TRUE(fresh.ui.messages.empty()) << fresh.ui.messages.front();
    EXPECT_EQ(fresh.ui.titles[WindowId::Main], c.title);
    EXPECT_EQ(fresh.ui.Text(kConnectionStatusText), "DBALIAS: " + c.source.dsn);
    for (Control u : kUnlocked) EXPECT_TRUE(fresh.ui.IsEnabled(u)) << u;
    EXPECT_TRUE(fresh.db.Connected());
    EXPECT_FALSE(fresh.ui.busyOpen);
  }
}

// The flavour is found anew at every Connect: a source with no Db2 catalog
// has none.
TEST_F(ConnectTest, ReconnectingFindsTheFlavourAnewAndASourceWithoutDb2HasNone) {
  ConnectTo(testing::PgLuw());
  EXPECT_EQ(Title(), "ZUNO - Db2/LUW");
  ConnectTo(testing::PgZos());
  EXPECT_EQ(Title(), "ZUNO - Db2/zOS");
  EXPECT_EQ(h.ui.Text(kConnectionStatusText), "DBALIAS: ZUNO_PG_ZOS");
  ConnectTo(testing::PgPlain());
  EXPECT_EQ(Title(), "ZUNO");
  EXPECT_EQ(h.state.databaseFlavour, DatabaseFlavour::None);
  EXPECT_EQ(h.ui.Text(kConnectionStatusText), "DBALIAS: ZUNO_PG_PLAIN");
}

TEST_F(ConnectTest, RefusedPasswordShowsTheDriversTextAndLeavesNoConnection) {
  ConnectTo(testing::PgLuw());
  ASSERT_TRUE(h.db.Connected());
  DataSource wrong = testing::PgZos();
  wrong.password = "not-the-password";
  ConnectTo(wrong);

  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_NE(h.ui.messages[0].find("password authentication failed"), std::string::npos) << h.ui.messages[0];
  EXPECT_FALSE(h.db.Connected());
  // Nothing of the old connection stays: its texts, controls and flavour go.
  EXPECT_EQ(h.ui.Text(kConnectionStatusText), "not connected");
  EXPECT_EQ(Title(), "ZUNO");
  EXPECT_FALSE(h.state.connected);
  for (Control u : kUnlocked) EXPECT_FALSE(h.ui.IsEnabled(u));
  EXPECT_FALSE(h.ui.busyOpen);
  EXPECT_EQ(h.ui.Text(kElapsedTimeText).rfind("SQL Sec. ", 0), 0u);
  // The next statement fails with the stored text.
  EXPECT_FALSE(h.db.ExecuteQuery("select 1"));
}

TEST_F(ConnectTest, UnknownDataSourceIsRefusedWithTheDriverManagersText) {
  ConnectTo({"NO_SUCH_DSN", "u", "p"});
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_NE(h.ui.messages[0].find("Data source name not found"), std::string::npos) << h.ui.messages[0];
  EXPECT_FALSE(h.ui.IsEnabled(kRunButton));
  EXPECT_EQ(Title(), "ZUNO");
}

TEST_F(ConnectTest, ElapsedTimeUsesAPointInACommaLocale) {
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  ConnectTo(testing::PgLuw());
  std::string elapsed = h.ui.Text(kElapsedTimeText);
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  ASSERT_EQ(elapsed.rfind("SQL Sec. ", 0), 0u);
  std::string seconds = elapsed.substr(9);
  EXPECT_EQ(seconds.find(','), std::string::npos) << elapsed;
  EXPECT_EQ(seconds.find_first_not_of("0123456789."), std::string::npos) << elapsed;
}

}  // namespace
}  // namespace zuno
