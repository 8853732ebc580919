// ZUNO's memory at rest: start-up as the program does it, a data source
// connected through the Connect handler, then the loop left alone for a
// moment. Prints the process's resident and anonymous memory as samples
// "memory-rss" and "memory-anon" (kilobytes), and again under the keys of
// the same-widget floor.
//
//   bench_zuno_at_rest DSN USER PASSWORD     (under xvfb-run)
#include "app/startup.h"
#include "bench/bench_program.h"
#include "bench/main_loop_wait.h"
#include "bench/process_memory.h"
#include "bench/samples.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_zuno_at_rest DSN USER PASSWORD\n");
    return 2;
  }
  int toolkitArgc = 1;
  zuno::InitToolkit(&toolkitArgc, &argv);
  zuno::bench::BenchProgram b;
  if (!b.Connect(argv[1], argv[2], argv[3])) zuno::bench::Fail("ZUNO could not connect");
  zuno::bench::Settle(500);
  zuno::bench::ProcessMemory m = zuno::bench::ReadOwnMemory();
  if (m.rssKb < 0 || m.anonymousKb < 0) zuno::bench::Fail("cannot read the process's memory");
  zuno::bench::PrintSample("memory-rss", "zuno", static_cast<double>(m.rssKb));
  zuno::bench::PrintSample("memory-anon", "zuno", static_cast<double>(m.anonymousKb));
  zuno::bench::PrintSample("memory-rss-widgets", "zuno", static_cast<double>(m.rssKb));
  zuno::bench::PrintSample("memory-anon-widgets", "zuno", static_cast<double>(m.anonymousKb));
  return 0;
}
