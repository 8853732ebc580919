// The soak run: the real program with the Autorun Timer switched on at one
// second, re-running a 50-row query against a data source for a given
// number of minutes. Prints, once a minute, the runs so far, the resident
// and anonymous memory and the open descriptors.
//
//   zuno_soak DSN USER PASSWORD MINUTES
#include <cstdio>
#include <cstdlib>

#include "tests/gui/gui_harness.h"
#include "tests/support/process_usage.h"

using namespace zuno;

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s DSN USER PASSWORD MINUTES\n", argv[0]);
    return 2;
  }
  const int minutes = std::atoi(argv[4]);
  InitToolkit(&argc, &argv);
  auto p = testing::StartAndShow();
  testing::MessageBoxAnswerer answers;
  p->shell.SetText(kDataSourceBox, argv[1]);
  p->shell.SetText(kUserField, argv[2]);
  p->shell.SetText(kPasswordField, argv[3]);
  p->loop.Deliver(Event::ControlOf(WindowId::Main, kConnectButton, Action::LeftClick));
  if (!p->db.Connected()) {
    std::fprintf(stderr, "cannot connect: %s\n", p->db.LastError().c_str());
    return 1;
  }
  p->shell.SetText(kSqlEditor, "select g as n, md5(g::text) as h, now() as at from generate_series(1, 50) g");
  int runs = 0;
  testing::CountStatementRuns(*p, runs);
  // Switched on as the user does: one second in the field, the box checked.
  p->shell.SetText(kTimerSecondsField, "1");
  gtk_button_clicked(GTK_BUTTON(p->shell.inner(kTimerCheckBox)));

  std::printf("minute\truns\trss_kb\tanon_kb\tfds\n");
  for (int minute = 0; minute <= minutes; ++minute) {
    if (minute > 0) testing::RunFor(60 * 1000);
    std::printf("%d\t%d\t%zu\t%zu\t%zu\n", minute, runs, testing::ResidentKilobytes(), testing::AnonymousKilobytes(),
                testing::OpenDescriptors());
    std::fflush(stdout);
  }
  gtk_button_clicked(GTK_BUTTON(p->shell.inner(kTimerCheckBox)));
  return answers.texts.size() == static_cast<size_t>(runs) ? 0 : 1;
}
