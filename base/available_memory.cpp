#include "base/available_memory.h"

#include <algorithm>
#include <charconv>
#include <string_view>

#include "base/text_file.h"
#include "base/text_lines.h"

namespace zuno {
namespace {

// These files are small; anything larger is no such file.
constexpr std::size_t kMaxFileBytes = 1 << 20;

std::optional<std::uint64_t> Number(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  std::uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) return std::nullopt;
  return value;
}

std::optional<std::uint64_t> NumberInFile(const std::string& path) {
  WholeFile file = ReadRegularFile(path, kMaxFileBytes);
  if (!file) return std::nullopt;
  return Number(file.bytes);  // "max" for no limit gives nothing
}

std::optional<std::uint64_t> MemAvailable(const std::string& meminfo) {
  WholeFile file = ReadRegularFile(meminfo, kMaxFileBytes);
  if (!file) return std::nullopt;
  constexpr std::string_view kKey = "MemAvailable:";
  for (std::string_view line : SplitLines(file.bytes)) {
    if (!line.starts_with(kKey)) continue;
    std::optional<std::uint64_t> kilobytes = Number(line.substr(kKey.size()));
    if (kilobytes) return *kilobytes * 1024;
  }
  return std::nullopt;
}

struct CgroupPath {
  std::string root;      // the memory hierarchy's mount
  std::string relative;  // the process's cgroup in it, beginning with "/"
  const char* limitFile;
  const char* usageFile;
};

// The process's memory cgroup: the version 2 line "0::/path", or the version
// 1 line whose controllers include "memory".
std::optional<CgroupPath> OwnMemoryCgroup(const MemoryFiles& files) {
  WholeFile file = ReadRegularFile(files.ownCgroups, kMaxFileBytes);
  if (!file) return std::nullopt;
  std::optional<CgroupPath> unified;
  for (std::string_view line : SplitLines(file.bytes)) {
    const std::size_t first = line.find(':');
    const std::size_t second = first == std::string_view::npos ? first : line.find(':', first + 1);
    if (second == std::string_view::npos) continue;
    const std::string_view controllers = line.substr(first + 1, second - first - 1);
    const std::string relative(line.substr(second + 1));
    if (line.starts_with("0::")) unified = CgroupPath{files.cgroupMount, relative, "memory.max", "memory.current"};
    for (std::string_view rest = controllers; !rest.empty();) {
      const std::size_t comma = rest.find(',');
      if (rest.substr(0, comma) == "memory")
        return CgroupPath{files.cgroupMount + "/memory", relative, "memory.limit_in_bytes", "memory.usage_in_bytes"};
      rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
  }
  return unified;
}

// What the cgroup and those above it leave. Inside a container the path may
// name a cgroup that is mounted as the root itself.
std::optional<std::uint64_t> CgroupHeadroom(const CgroupPath& cgroup) {
  std::optional<std::uint64_t> least;
  std::string relative = cgroup.relative;
  for (;;) {
    const std::string dir = cgroup.root + (relative == "/" ? "" : relative) + "/";
    const std::optional<std::uint64_t> limit = NumberInFile(dir + cgroup.limitFile);
    const std::optional<std::uint64_t> usage = NumberInFile(dir + cgroup.usageFile);
    if (limit && usage) {
      const std::uint64_t left = *limit > *usage ? *limit - *usage : 0;
      least = least ? std::min(*least, left) : left;
    }
    if (relative.empty() || relative == "/") return least;
    const std::size_t slash = relative.rfind('/');
    relative = slash == 0 || slash == std::string::npos ? "/" : relative.substr(0, slash);
  }
}

}  // namespace

std::optional<std::uint64_t> AvailableMemory(const MemoryFiles& files) {
  std::optional<std::uint64_t> available = MemAvailable(files.meminfo);
  if (std::optional<CgroupPath> cgroup = OwnMemoryCgroup(files))
    if (std::optional<std::uint64_t> headroom = CgroupHeadroom(*cgroup))
      available = available ? std::min(*available, *headroom) : *headroom;
  return available;
}

}  // namespace zuno
