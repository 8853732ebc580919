// A temporary directory per test, removed with everything in it.
#pragma once

#include <string>

namespace zuno::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

// Sets an environment variable for the lifetime of the guard.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value);  // nullptr unsets it
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_;
  std::string old_;
};

// Works in another directory for the lifetime of the guard.
class ScopedCwd {
 public:
  explicit ScopedCwd(const std::string& dir);
  ~ScopedCwd();
  ScopedCwd(const ScopedCwd&) = delete;
  ScopedCwd& operator=(const ScopedCwd&) = delete;

 private:
  std::string old_;
};

// Writes an executable shell script.
void WriteScript(const std::string& path, const std::string& body);

}  // namespace zuno::testing
