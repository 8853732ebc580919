#include "bench/process_memory.h"

#include <cstdio>
#include <cstring>

namespace zuno::bench {

ProcessMemory ReadOwnMemory() {
  ProcessMemory m;
  std::FILE* f = std::fopen("/proc/self/smaps_rollup", "r");
  if (!f) return m;
  char line[256];
  while (std::fgets(line, sizeof line, f)) {
    long kb = 0;
    if (std::sscanf(line, "Rss: %ld kB", &kb) == 1) m.rssKb = kb;
    if (std::sscanf(line, "Anonymous: %ld kB", &kb) == 1) m.anonymousKb = kb;
  }
  std::fclose(f);
  return m;
}

}  // namespace zuno::bench
