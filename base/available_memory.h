// How much memory the process may still take before the kernel ends it: what
// the machine has available, and what the memory cgroups the process runs in
// (version 1 or 2) leave below their limits. With Linux's default overcommit
// an allocation beyond it does not fail; the OOM killer ends the process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zuno {

// Where the figures are read; tests point them at files of their own.
struct MemoryFiles {
  std::string meminfo = "/proc/meminfo";
  std::string ownCgroups = "/proc/self/cgroup";
  std::string cgroupMount = "/sys/fs/cgroup";
};

// The least of MemAvailable and, for the process's memory cgroup and each
// one above it, its limit less its usage; nothing when none is known.
std::optional<std::uint64_t> AvailableMemory(const MemoryFiles& files);

}  // namespace zuno
