#include "db/connect_handler.h"

#include "app/clock.h"
#include "query/cell_text.h"

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
// taken for Db2/zOS. The probes' rows are never read.
void DetectFlavour(Session& s) {
  if (s.db.ExecuteQuery(kLuwProbe)) s.state.databaseFlavour = kLuw;
  if (s.db.ExecuteQuery(kZosProbe)) s.state.databaseFlavour = kZos;
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
  if (s.db.Connect(s.state.connectionDsn, s.state.connectionUser, s.state.connectionPassword)) {
    for (Control c : kNeedConnection) s.ui.SetEnabled(c, true);
    DetectFlavour(s);
    s.ui.SetText(kConnectionStatusText, "DBALIAS: " + s.state.connectionDsn);
    s.ui.SetWindowTitle(WindowId::Main, "ZUNO - " + s.state.databaseFlavour);
    s.ui.CloseBusyWindow();
  } else {
    s.ui.CloseBusyWindow();
    s.ui.ShowMessage(s.db.LastError());
  }
  s.state.endTime = NowMilliseconds();
  s.ui.SetText(kElapsedTimeText, ElapsedText(s.state.startTime, s.state.endTime));
}

}  // namespace zuno
