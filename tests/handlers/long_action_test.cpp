// Long work as the handlers run it: the order of message box and busy
// window, close requests and timer ticks that arrive meanwhile, and Escape
// during a Connect that waits for a server that never answers.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>

#include "app/connect_handler.h"
#include "tests/support/data_sources.h"
#include "tests/support/handler_harness.h"
#include "tests/support/temp_dir.h"

namespace zuno {
namespace {

using namespace std::chrono_literals;
using testing::DataSource;
using testing::HandlerHarness;
using testing::TempDir;

void TypeLogin(HandlerHarness& h, const DataSource& d) {
  h.ui.SetText(kDataSourceBox, d.dsn);
  h.ui.SetText(kUserField, d.user);
  h.ui.SetText(kPasswordField, d.password);
}

void Connected(HandlerHarness& h, const DataSource& d) {
  TypeLogin(h, d);
  h.Click(kConnectButton);
  ASSERT_TRUE(h.db.Connected()) << d.dsn;
  h.ui.messages.clear();
}

void Statement(HandlerHarness& h, const std::string& sql) {
  h.ui.SetText(kSqlEditor, sql);
  h.Click(kRunButton);
}

struct LongActionTest : ::testing::Test {
  void SetUp() override { ZUNO_REQUIRE_FIXTURES(); }
};

// Every action that tells something after long work tells it with the busy
// window closed, and leaves it closed.
TEST_F(LongActionTest, EachActionShowsItsMessageOnlyOnceTheBusyWindowIsClosed) {
  struct {
    const char* action;
    std::function<void(HandlerHarness&)> act;
    bool onlyInforms = false;  // a note above the grid instead, shown at once
  } cases[] = {
      {"connect without password",
       [](HandlerHarness& h) { TypeLogin(h, {"ZUNO_PG_LUW", "zuno", ""}), h.Click(kConnectButton); }},
      {"connect refused",
       [](HandlerHarness& h) {
         DataSource wrong = testing::PgLuw();
         wrong.password = "not-the-password";
         TypeLogin(h, wrong), h.Click(kConnectButton);
       }},
      {"query fails", [](HandlerHarness& h) { Connected(h, testing::Sqlite()), Statement(h, "select * from nothing"); }},
      {"row limit reached",
       [](HandlerHarness& h) {
         Connected(h, testing::PgPlain());
         h.ui.SetText(kRowsToFetchBox, "2");
         Statement(h, "select * from generate_series(1, 5)");
       },
       true},
      {"update done", [](HandlerHarness& h) { Connected(h, testing::Sqlite()), Statement(h, "create temp table t (a)"); },
       true},
      {"update fails", [](HandlerHarness& h) { Connected(h, testing::Sqlite()), Statement(h, "delete from nothing"); }},
      {"catalog fails", [](HandlerHarness& h) { Connected(h, testing::Sqlite()), h.Click(kCatalogButton); }},
      {"drill-down fails",
       [](HandlerHarness& h) {
         Connected(h, testing::Sqlite());
         h.page().mode = GridMode::Catalog;
         for (int c = 0; c < 3; ++c) h.grid.AddColumn(c, "C", 10);
         h.grid.AppendRow({"NOSUCH", "T", "T"});
         h.grid.SelectRow(0);
         h.Click(kResultGrid, Action::LeftDoubleClick);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.action);
    HandlerHarness h;
    h.ui.SetText(kRowsToFetchBox, "50");
    c.act(h);
    EXPECT_EQ(h.ui.messages.size(), c.onlyInforms ? 0u : 1u);
    EXPECT_EQ(h.ui.notes.size(), c.onlyInforms ? 1u : 0u);
    EXPECT_EQ(h.ui.messagesBehindBusyWindow, std::vector<std::string>{});
    EXPECT_GE(h.ui.busyOpened, 1);
    EXPECT_EQ(h.ui.busyOpened, h.ui.busyClosed);
  }
}

// A close request on the Main Window during a slow statement is kept: the
// statement finishes, then the Settings File is written and the program
// ends; ticks that fell due with it run nothing more.
TEST_F(LongActionTest, ACloseRequestDuringASlowStatementEndsTheProgramWhenItHasFinished) {
  for (WindowId window : {WindowId::Main}) {
    TempDir home;
    HandlerHarness h(home.path() + "/");
    h.ui.SetText(kRowsToFetchBox, "50");
    Connected(h, testing::PgPlain());
    h.ui.duringWait = [&] {
      h.loop.Deliver(Event::TimerTick(0));
      h.loop.Deliver(Event::CloseOf(window));
      h.loop.Deliver(Event::TimerTick(0));
    };
    Statement(h, "select pg_sleep(1) as slept");
    EXPECT_EQ(h.grid.RowCount(), 1);
    EXPECT_EQ(h.ui.ListItems(kHistoryList), std::vector<std::string>{"select pg_sleep(1) as slept"});
    EXPECT_EQ(testing::ReadFileBytes(home.File("zuno.ini")), "lastconnect=ZUNO_PG_PLAIN\r\nlastuser=" + h.state.connectionUser + "\r\n");
    EXPECT_TRUE(h.ui.quit);
    EXPECT_TRUE(h.loop.Ended());
    EXPECT_FALSE(h.db.Connected());
    EXPECT_EQ(h.ui.waits, 2) << "the connect and the statement, no tick's run";
  }
}

TEST_F(LongActionTest, TicksDuringASlowStatementMakeOneRunAfterIt) {
  HandlerHarness h;
  h.ui.SetText(kRowsToFetchBox, "50");
  Connected(h, testing::PgPlain());
  const int before = h.ui.waits;
  h.ui.duringWait = [&] {
    for (int i = 0; i < 4; ++i) h.loop.Deliver(Event::TimerTick(0));
  };
  Statement(h, "select pg_sleep(0.2)");
  EXPECT_EQ(h.ui.waits - before, 2);
  EXPECT_EQ(h.loop.Waiting(), 0u);
}

// A listening socket that takes connections and never answers them.
class SilentServer {
 public:
  SilentServer() : fd_(socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&a), length) != 0 || listen(fd_, 8) != 0 ||
        getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) != 0)
      ADD_FAILURE() << "no listening socket";
    port_ = ntohs(a.sin_port);
  }
  ~SilentServer() {
    if (fd_ >= 0) close(fd_);
  }
  int port() const { return port_; }

 private:
  int fd_;
  int port_ = 0;
};

// Escape while the driver waits for a server that does not answer: this
// driver cannot stop the wait, so the data source's own connect timeout ends
// it, and the message tells why the connection failed, not that the cancel
// was refused.
TEST_F(LongActionTest, EscapeDuringAConnectToAServerThatNeverAnswersIsNotLost) {
  SilentServer server;
  TempDir dir;
  const std::string ini = dir.File("odbc.ini");
  testing::WriteFileBytes(ini, testing::ReadFileBytes(std::getenv("ODBCINI")) +
                                   "\n[ZUNO_SILENT]\nDriver=ZUNO PostgreSQL Unicode\nServername=127.0.0.1\nPort=" +
                                   std::to_string(server.port()) +
                                   "\nDatabase=plain\nSSLmode=disable\npqopt=connect_timeout=2\n");
  const std::string old = std::getenv("ODBCINI");
  setenv("ODBCINI", ini.c_str(), 1);
  HandlerHarness h;
  h.ui.escapeAfter = 100ms;
  TypeLogin(h, {"ZUNO_SILENT", "zuno", "zunopw"});
  h.Click(kConnectButton);
  setenv("ODBCINI", old.c_str(), 1);

  EXPECT_FALSE(h.db.Connected());
  EXPECT_EQ(h.ui.cancellableWaits, 1);
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_NE(h.ui.messages[0].find("timeout"), std::string::npos) << h.ui.messages[0];
  EXPECT_EQ(h.ui.Text(kElapsedTimeText).rfind("SQL Sec. ", 0), 0u);
}

// Escape that the wait could not act on is remembered: the connection is
// kept, the probes are skipped and the flavour stays as it was.
TEST_F(LongActionTest, EscapeDuringAConnectThatSucceedsSkipsTheProbes) {
  HandlerHarness h;
  h.ui.escapeAfter = 0ms;
  TypeLogin(h, testing::PgLuw());
  h.Click(kConnectButton);
  EXPECT_TRUE(h.db.Connected());
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(h.ui.titles[WindowId::Main], "ZUNO");
  EXPECT_EQ(h.ui.Text(kConnectionStatusText), "DBALIAS: ZUNO_PG_LUW");
}

}  // namespace
}  // namespace zuno
