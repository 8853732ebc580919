// Folders made for one hand-off of files to another program: each use gets
// its own, so any number of ZUNO windows and users can share a working
// directory, and whatever stands at the usual file names is never touched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zuno {

class PrivateFolder {
 public:
  // Makes "<parent>/<prefix>XXXXXX" (parent empty: the working directory),
  // exclusively and for the user alone (mode 0700); nothing when it cannot.
  static std::optional<PrivateFolder> Make(const std::string& parent, std::string_view prefix);

  PrivateFolder(PrivateFolder&& other) noexcept : path_(std::move(other.path_)) { other.path_.clear(); }
  PrivateFolder& operator=(PrivateFolder&&) = delete;
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;
  // The folder goes with the files in it.
  ~PrivateFolder();

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  explicit PrivateFolder(std::string path) : path_(std::move(path)) {}
  std::string path_;
};

// Removes a folder and the files in it (one level; a folder inside keeps it).
void RemoveFolder(const std::string& path);

// The names in a folder, "." and ".." left out.
std::vector<std::string> FolderEntries(const std::string& path);

// Makes the folder and those above it that are missing (mode 0700) and says
// whether it now is a folder, not a link to one, of the user's own.
bool MakeOwnFolder(const std::string& path);

// The user's private runtime folder: $XDG_RUNTIME_DIR when it is a folder of
// the user's own that no one else may enter, else "<home>.zuno", made with
// mode 0700 when missing and used only when it is such a folder. home ends
// with "/"; nothing when neither will do.
std::optional<std::string> RuntimeFolder(const std::string& home);

}  // namespace zuno
