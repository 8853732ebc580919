#include "app/connect_handler.h"

#include "base/clock.h"
#include "query/elapsed_time.h"

namespace zuno {
namespace {

constexpr const char* kNeedUserAndPassword = "please enter User and Password!";
constexpr const char* kLuwProbe = "select distinct 1 from syscat.useroptions";
constexpr const char* kZosProbe = "select distinct 1 from sysibm.usernames";

constexpr Control kNeedConnection[] = {kRunButton,        kCatalogButton,    kCreatorsButton,
                                       kLastCreatorButton, kSaveReportButton, kSaveLoadQueryButton};

// Each catalog answers on its own platform only; a data source with both is
// taken for Db2/zOS. The probes' rows are never read. None when neither
// answers.
DatabaseFlavour DetectFlavour(OdbcLayer& db) {
  DatabaseFlavour flavour = DatabaseFlavour::None;
  if (db.ExecuteQuery(kLuwProbe)) flavour = DatabaseFlavour::Db2Luw;
  if (db.ExecuteQuery(kZosProbe)) flavour = DatabaseFlavour::Db2Zos;
  return flavour;
}

// The flavour as the Main Window's title shows it.
std::string_view FlavourName(DatabaseFlavour flavour) {
  switch (flavour) {
    case DatabaseFlavour::Db2Luw: return "Db2/LUW";
    case DatabaseFlavour::Db2Zos: return "Db2/zOS";
    case DatabaseFlavour::None: break;
  }
  return "";
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
  DatabaseFlavour flavour = DatabaseFlavour::None;
  s.ui.RunBlocking(
      [&] {
        connected = s.db.Connect(s.state.connectionDsn, s.state.connectionUser, s.state.connectionPassword);
        if (connected) flavour = DetectFlavour(s.db);
      },
      [&] { s.db.Cancel(); });
  if (connected) {
    for (Control c : kNeedConnection) s.ui.SetEnabled(c, true);
    if (flavour != DatabaseFlavour::None) s.state.databaseFlavour = flavour;
    s.ui.SetText(kConnectionStatusText, "DBALIAS: " + s.state.connectionDsn);
    s.ui.SetWindowTitle(WindowId::Main, "ZUNO - " + std::string(FlavourName(s.state.databaseFlavour)));
    s.ui.CloseBusyWindow();
  } else {
    s.ui.CloseBusyWindow();
    s.ui.ShowMessage(s.db.LastError());
  }
  s.state.endTime = NowMilliseconds();
  ShowElapsedTime(s);
}

}  // namespace zuno
