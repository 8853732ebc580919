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

std::string UserFilePath(const char* xdgValue, const std::string& homeDirectory, std::string_view homeFolder,
                         std::string_view file) {
  std::string folder;
  if (xdgValue && xdgValue[0] == '/')
    folder = xdgValue;
  else if (!homeDirectory.empty())
    folder = homeDirectory + (homeDirectory.ends_with('/') ? "" : "/") + std::string(homeFolder);
  else
    return {};
  return folder + "/zuno/" + std::string(file);
}

}  // namespace zuno
