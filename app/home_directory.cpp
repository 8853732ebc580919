#include "app/home_directory.h"

#include <cstdlib>

namespace zuno {

std::string HomeDirectoryFrom(const char* home) {
  if (home == nullptr) return {};
  std::string dir = home;
  if (dir.size() > 1 && dir.back() != '/') dir += '/';
  return dir;
}

std::string HomeDirectory() { return HomeDirectoryFrom(std::getenv("HOME")); }

}  // namespace zuno
