#include "app/connect_handler.h"

#include "base/clock.h"
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
std::string DetectFlavour(OdbcLayer& db) {
  std::string flavour;
  if (db.ExecuteQuery(kLuwProbe)) flavour = kLuw;
  if (db.ExecuteQuery(kZosProbe)) flavour = kZos;
  return flavour;
}

}  // namespace

void OnConnectClicked(Session& s) {
  s.ui.OpenBusyWindow();
  s.state.connectionDsn = s.ui.Text(kDataSourceBox);
  s.state.connectionUser = s.ui.Text(kUserField);
  s.state.connectionPassword = s.ui.Text(kPasswordField);
  if (s.state.connectionUser.empty() || s.state.connectionPassword.empty()) {
    s.ui.ShowMessage(kNeedUserAndPassword);
    s.ui.CloseBusyWindow();
    return;
  }

  s.state.startTime = NowMilliseconds();
  bool connected = false;
  std::string flavour;
  s.ui.RunBlocking(
      [&] {
        connected = s.db.Connect(s.state.connectionDsn, s.state.connectionUser, s.state.connectionPassword);
        if (connected) flavour = DetectFlavour(s.db);
      },
      [&] { s.db.Cancel(); });
  if (connected) {
    for (Control c : kNeedConnection) s.ui.SetEnabled(c, true);
    if (!flavour.empty()) s.state.databaseFlavour = flavour;
    s.ui.SetText(kConnectionStatusText, "DBALIAS: " + s.state.connectionDsn);
    s.ui.SetWindowTitle(WindowId::Main, "ZUNO - " + s.state.databaseFlavour);
    s.ui.CloseBusyWindow();
  } else {
    s.ui.CloseBusyWindow();
    s.ui.ShowMessage(s.db.LastError());
  }
  s.state.endTime = NowMilliseconds();
  ShowElapsedTime(s);
}

}  // namespace zuno
