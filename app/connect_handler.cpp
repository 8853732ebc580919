#include "app/connect_handler.h"

#include <atomic>

#include "app/transaction_handlers.h"
#include "base/clock.h"
#include "query/elapsed_time.h"

namespace zuno {
namespace {

constexpr const char* kNeedUserAndPassword = "please enter User and Password!";
constexpr const char* kNotConnected = "not connected";
constexpr const char* kLuwProbe = "select distinct 1 from syscat.useroptions";
constexpr const char* kZosProbe = "select distinct 1 from sysibm.usernames";

constexpr Control kNeedConnection[] = {kRunButton,        kCatalogButton,    kCreatorsButton,
                                       kLastCreatorButton, kSaveReportButton, kSaveLoadQueryButton};

// Each catalog answers on its own platform only; a data source with both is
// taken for Db2/zOS. The probes' rows are never read. None when neither
// answers. With autocommit off each probe's transaction is rolled back: a
// failed probe must not fail the next one, nor the user's first statement.
DatabaseFlavour DetectFlavour(OdbcLayer& db, const std::atomic<bool>& escaped) {
  const auto probe = [&db](const char* sql) {
    const bool answered = db.ExecuteQuery(sql);
    if (!db.Autocommit()) db.EndTransaction(OdbcLayer::TransactionEnd::Rollback);
    return answered;
  };
  DatabaseFlavour flavour = DatabaseFlavour::None;
  if (probe(kLuwProbe)) flavour = DatabaseFlavour::Db2Luw;
  if (!escaped && probe(kZosProbe)) flavour = DatabaseFlavour::Db2Zos;
  return flavour;
}

// The Main Window's title: the flavour, when the source has one.
std::string WindowTitle(DatabaseFlavour flavour) {
  switch (flavour) {
    case DatabaseFlavour::Db2Luw: return "ZUNO - Db2/LUW";
    case DatabaseFlavour::Db2Zos: return "ZUNO - Db2/zOS";
    case DatabaseFlavour::None: break;
  }
  return "ZUNO";
}

// The Main Window as the connection leaves it: the controls that need one,
// the status text and the title.
void ShowConnection(Session& s, bool connected) {
  s.state.connected = connected;
  if (!connected) s.state.databaseFlavour = DatabaseFlavour::None;
  for (Control c : kNeedConnection) s.ui.SetEnabled(c, connected);
  s.ui.SetText(kConnectionStatusText, connected ? "DBALIAS: " + s.state.connectionDsn : kNotConnected);
  s.ui.SetWindowTitle(WindowId::Main, WindowTitle(s.state.databaseFlavour));
}

}  // namespace

void NoteConnectionGone(Session& s) {
  if (!s.state.connected || s.db.Connected()) return;
  ShowConnection(s, false);
}

void OnConnectClicked(Session& s) {
  s.state.connectionDsn = s.ui.Text(kDataSourceBox);
  s.state.connectionUser = s.ui.Text(kUserField);
  s.state.connectionPassword = s.ui.Text(kPasswordField);
  const bool complete = !s.state.connectionUser.empty() && !s.state.connectionPassword.empty();
  const std::string dsn = s.state.connectionDsn, user = s.state.connectionUser, password = s.state.connectionPassword;
  // The connection goes with the attempt: its uncommitted work first.
  if (complete && !SettlePendingWork(s, ConnectionEnd::Connect)) return;
  if (complete) s.state.startTime = NowMilliseconds();

  // Escape while the driver waits for the server is kept here: the next
  // statement would clear the layer's own cancel mark, and a connection made
  // after all is then kept without the probes.
  std::atomic<bool> escaped{false};
  bool connected = false;
  DatabaseFlavour flavour = DatabaseFlavour::None;
  s.jobs.Run({
      .work =
          [&, &db = s.db] {
            if (!complete) return;
            connected = db.Connect(dsn, user, password);
            if (connected && !escaped) flavour = DetectFlavour(db, escaped);
          },
      .apply =
          [&] {
            if (!complete) return s.jobs.Tell(kNeedUserAndPassword);
            // A failed attempt has closed any earlier connection: nothing of
            // it stays, neither its controls nor its flavour.
            s.state.databaseFlavour = flavour;
            ShowConnection(s, connected);
            if (connected) s.ui.Focus(kSqlEditor);  // what comes next is typing SQL
            // The time covers the attempt and the probes, not the message.
            s.state.endTime = NowMilliseconds();
            ShowElapsedTime(s);
            if (!connected) s.jobs.Tell(s.db.LastError());
          },
      .cancel =
          [&] {
            escaped = true;
            s.db.Cancel();
          },
  });
}

}  // namespace zuno
