#include "tests/support/process_usage.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace zuno::testing {
namespace {

std::size_t StatusField(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field + ":", 0) == 0) return std::stoul(line.substr(field.size() + 1));
  return 0;
}

}  // namespace

std::size_t OpenDescriptors() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

std::size_t ResidentKilobytes() { return StatusField("VmRSS"); }
std::size_t AnonymousKilobytes() { return StatusField("RssAnon"); }

}  // namespace zuno::testing
