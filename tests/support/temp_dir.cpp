#include "tests/support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zuno::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zuno-test-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  path_ = made ? made : "";
}

TempDir::~TempDir() {
  std::error_code ec;
  if (!path_.empty()) {
    // Tests make directories read-only; give the owner back the right to clean up.
    for (auto& e : std::filesystem::recursive_directory_iterator(path_, ec))
      std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

ScopedEnv::ScopedEnv(const char* name, const char* value) : name_(name) {
  const char* old = std::getenv(name);
  had_ = old != nullptr;
  if (had_) old_ = old;
  if (value)
    setenv(name, value, 1);
  else
    unsetenv(name);
}

ScopedEnv::~ScopedEnv() {
  if (had_)
    setenv(name_.c_str(), old_.c_str(), 1);
  else
    unsetenv(name_.c_str());
}

ScopedCwd::ScopedCwd(const std::string& dir) : old_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(dir);
}

ScopedCwd::~ScopedCwd() {
  std::error_code ec;
  std::filesystem::current_path(old_, ec);
}

void WriteScript(const std::string& path, const std::string& body) {
  WriteFileBytes(path, "#!/bin/sh\n" + body);
  std::filesystem::permissions(path, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                         std::filesystem::perms::group_exec);
}

}  // namespace zuno::testing
