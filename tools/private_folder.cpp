#include "tools/private_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "base/text_file.h"

namespace zuno {
namespace {

// A folder, not a link to one, of the user's own; with closed, also one that
// no one else may enter.
bool IsOwnFolder(const std::string& path, bool closed) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && IsOwn(st) && (!closed || (st.st_mode & 077) == 0);
}

}  // namespace

bool MakeOwnFolder(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    if (mkdir(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  return IsOwnFolder(path, false);
}

std::optional<PrivateFolder> PrivateFolder::Make(const std::string& parent, std::string_view prefix) {
  std::string path = (parent.empty() ? std::string() : parent + "/") + std::string(prefix) + "XXXXXX";
  if (mkdtemp(path.data()) == nullptr) return std::nullopt;
  return PrivateFolder(std::move(path));
}

PrivateFolder::~PrivateFolder() {
  if (!path_.empty()) RemoveFolder(path_);
}

void RemoveFolder(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(fdopendir(fd), closedir);
  if (!dir) {
    close(fd);
    return;
  }
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name != "." && name != "..") unlinkat(fd, entry->d_name, 0);
  }
  rmdir(path.c_str());
}

std::vector<std::string> FolderEntries(const std::string& path) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(path.c_str()), closedir);
  if (!dir) return names;
  while (const dirent* entry = readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name != "." && name != "..") names.emplace_back(name);
  }
  return names;
}

std::optional<std::string> RuntimeFolder(const std::string& home) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/' && IsOwnFolder(runtime, true)) return std::string(runtime);
  if (home.empty()) return std::nullopt;
  const std::string own = home + ".zuno";
  mkdir(own.c_str(), 0700);
  if (IsOwnFolder(own, true)) return own;
  return std::nullopt;
}

}  // namespace zuno
