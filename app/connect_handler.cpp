#include "app/connect_handler.h"

#include <atomic>

#include "app/clock.h"
#include "query/elapsed_time.h"

namespace zuno {
namespace {

constexpr const char* kNeedUserAndPassword = "please enter User and Password!";
constexpr const char* kLuwProbe = "select distinct 1 from syscat.useroptions";
constexpr const char* kZosProbe = "select distinct 1 from sysibm.usernames";
constexpr const char* kLuw = "Db2/LUW";
constexpr const char* kZos = "Db2/zOS";

constexpr Control kNeedConnection[] = {kRunButton,        kCatalogButton,    kCreatorsButton,
                                       kLastCreatorButton, kSaveReportButton, kSaveLoadQueryButton};

// Each catalog answers on its own platform only; a data source with both is
// taken for Db2/zOS. The probes' rows are never read. Empty when neither
// answers.
std::string DetectFlavour(OdbcLayer& db, const std::atomic<bool>& escaped) {
  std::string flavour;
  if (db.ExecuteQuery(kLuwProbe)) flavour = kLuw;
  if (!escaped && db.ExecuteQuery(kZosProbe)) flavour = kZos;
  return flavour;
}

}  // namespace

void OnConnectClicked(Session& s) {
  s.state.connectionDsn = s.ui.Text(kDataSourceBox);
  s.state.connectionUser = s.ui.Text(kUserField);
  s.state.connectionPassword = s.ui.Text(kPasswordField);
  const bool complete = !s.state.connectionUser.empty() && !s.state.connectionPassword.empty();
  const std::string dsn = s.state.connectionDsn, user = s.state.connectionUser, password = s.state.connectionPassword;
  if (complete) s.state.startTime = NowMilliseconds();

  // Escape while the driver waits for the server is kept here: the next
  // statement would clear the layer's own cancel mark, and a connection made
  // after all is then kept without the probes.
  std::atomic<bool> escaped{false};
  bool connected = false;
  std::string flavour;
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
            if (connected) {
              for (Control c : kNeedConnection) s.ui.SetEnabled(c, true);
              if (!flavour.empty()) s.state.databaseFlavour = flavour;
              s.ui.SetText(kConnectionStatusText, "DBALIAS: " + s.state.connectionDsn);
              s.ui.SetWindowTitle(WindowId::Main, "ZUNO - " + s.state.databaseFlavour);
            } else {
              s.jobs.Tell(s.db.LastError());
            }
            // The time covers the attempt, the probes and any message.
            s.state.endTime = NowMilliseconds();
            ShowElapsedTime(s);
          },
      .cancel =
          [&] {
            escaped = true;
            s.db.Cancel();
          },
  });
}

}  // namespace zuno
