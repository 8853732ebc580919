// Name completion on a catalog of 100,000 tables: the first offer, which
// reads the schema's names in the background, and typing while they load.
#include <cstdio>

#include "bench/bench_program.h"
#include "bench/cases.h"
#include "bench/main_loop_wait.h"
#include "bench/plain_fetch.h"
#include "bench/samples.h"
#include "catalog/catalog_sql.h"

namespace zuno::bench {
namespace {

// The ten names T099990 to T099999 of creator BIG.
constexpr const char* kStatement = "select * from BIG.t09999";
constexpr std::size_t kOffered = 10;
// A fast typist: a key every 20 ms.
constexpr guint kKeyEveryMs = 20;

void PutStatement(GtkShell& shell) {
  shell.SetText(kSqlEditor, kStatement);
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(shell.inner(kSqlEditor)));
  GtkTextIter end;
  gtk_text_buffer_get_end_iter(buffer, &end);
  gtk_text_buffer_place_cursor(buffer, &end);
}

// From the request (Ctrl+Space) until the names are offered, the names read
// afresh as after a Connect.
double TimeFirstOffer(GtkShell& shell) {
  shell.completion().ForgetNames();
  PutStatement(shell);
  Settle(50);
  double start = NowMs();
  shell.completion().OfferAtCursor(true);
  if (!RunUntil([&] { return !shell.completion().Reading(); }, 60000)) Fail("the names were not read in 60 s");
  std::vector<std::string> names = shell.completion().OfferAtCursor(true);
  double took = NowMs() - start;
  if (names.size() != kOffered || names.front() != "T099990") Fail("the offer is not T099990 to T099999");
  return took;
}

// A key typed every 20 ms into the editor while loading() holds (or for
// spanMs when it is not given): how late the latest key was taken, in ms.
double WorstKeyDelay(GtkShell& shell, const std::function<bool()>& loading, double spanMs) {
  struct Typing {
    GtkTextBuffer* buffer;
    double due;
    double worst = 0;
  } typing{gtk_text_view_get_buffer(GTK_TEXT_VIEW(shell.inner(kSqlEditor))), NowMs() + kKeyEveryMs};
  guint source = g_timeout_add(kKeyEveryMs, [](gpointer data) -> gboolean {
    auto* t = static_cast<Typing*>(data);
    double now = NowMs();
    t->worst = std::max(t->worst, now - t->due);
    t->due = now + kKeyEveryMs;
    gtk_text_buffer_insert_at_cursor(t->buffer, " ", 1);
    return G_SOURCE_CONTINUE;
  }, &typing);
  double end = NowMs() + spanMs;
  RunUntil([&] { return loading ? !loading() : NowMs() >= end; }, 60000);
  g_source_remove(source);
  return typing.worst;
}

}  // namespace

void CompletionCase(const Login& login, const std::string& schema, int runs) {
  BenchProgram b;
  if (!b.Connect(login.dsn, login.user, login.password)) Fail("ZUNO could not connect");
  GtkShell& shell = b.shell();
  PlainFetch floor;
  if (!floor.Connect(login.dsn, login.user, login.password)) Fail("the plain fetch could not connect");
  const std::string sql = LastCreatorListSql(DatabaseFlavour::Db2Luw, schema);

  TimeFirstOffer(shell);
  for (int i = 0; i < runs; ++i) {
    double start = NowMs();
    if (floor.Run(sql, 0) != 100000) Fail("the plain fetch did not read 100,000 tables");
    PrintSample("completion-first", "floor", NowMs() - start);
    double offer = TimeFirstOffer(shell);
    PrintSample("completion-first", "zuno", offer);

    shell.completion().ForgetNames();
    PutStatement(shell);
    shell.completion().OfferAtCursor(true);
    PrintSample("completion-typing", "zuno", WorstKeyDelay(shell, [&] { return shell.completion().Reading(); }, 0));
    PrintSample("completion-typing", "floor", WorstKeyDelay(shell, nullptr, offer));
  }
}

}  // namespace zuno::bench
