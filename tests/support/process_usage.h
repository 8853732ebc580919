// What the process holds: open descriptors and memory, read from /proc.
#pragma once

#include <cstddef>

namespace zuno::testing {

std::size_t OpenDescriptors();
std::size_t ResidentKilobytes();   // VmRSS
std::size_t AnonymousKilobytes();  // RssAnon

}  // namespace zuno::testing
