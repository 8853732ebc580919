// The memory a process holds, as the kernel counts it.
#pragma once

namespace zuno::bench {

struct ProcessMemory {
  long rssKb = -1;        // resident pages, shared libraries and mapped files included
  long anonymousKb = -1;  // resident pages that belong to this process alone: heap, stacks
};

// This process's totals from /proc/self/smaps_rollup; -1 where unreadable.
ProcessMemory ReadOwnMemory();

}  // namespace zuno::bench
