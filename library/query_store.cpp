#include "library/query_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "app/text_file.h"
#include "library/query_name_order.h"
#include "library/query_store_format.h"
#include "library/store_lock.h"

namespace zuno {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// A store that is a symbolic link is written through to its target, so a link
// to a store kept elsewhere stays a link and every link to it shares one lock.
std::string ResolvedStorePath(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> target(realpath(path.c_str(), nullptr), &std::free);
  return target ? std::string(target.get()) : path;
}

// The lock file gets the store's permissions, so whoever may read the store may lock it.
mode_t LockFileMode(const std::string& storePath) {
  struct stat st {};
  return stat(storePath.c_str(), &st) == 0 ? (st.st_mode & 0666) : 0666;
}

// The whole file text; an empty text when no file is there and none can be
// made; nothing when a file is there but cannot be read, so that a change is
// never written over records that were not seen.
std::optional<std::string> ReadStoreText(const std::string& path) {
  // Opening for writing creates a missing store: a first look leaves an empty file.
  // O_NONBLOCK keeps a FIFO in the store's place from hanging the program.
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return std::string();
    return std::nullopt;
  }
  FileDescriptor file(fd);
  struct stat st {};
  if (fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;

  std::string text;
  char buffer[65536];
  for (;;) {
    ssize_t n = read(file.get(), buffer, sizeof buffer);
    if (n == 0) return text;
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
}

// Every record up to one past the limit, so callers can tell a store over it.
std::optional<std::vector<QueryRecord>> ReadRecords(const std::string& path) {
  std::optional<std::string> text = ReadStoreText(path);
  if (!text) return std::nullopt;
  return DecodeQueryRecords(*text, kMaxStoreRecords + 1);
}

std::vector<QueryRecord> ReadForLookup(const QueryStore& store) {
  const std::string path = ResolvedStorePath(store.path);
  StoreLock lock(path + ".lock", StoreLock::Kind::kShared, store.lockWait, LockFileMode(path));
  // Without the lock the read goes on all the same: the store is only ever
  // replaced whole by a rename, so an unlocked reader still sees one complete version.
  std::vector<QueryRecord> records = ReadRecords(path).value_or(std::vector<QueryRecord>{});
  if (records.size() > kMaxStoreRecords) records.resize(kMaxStoreRecords);
  return records;
}

// Read, change and write back while holding the store, so that two instances
// saving at the same moment both keep their records. Nothing is written when
// the store cannot be held or read whole: a store over the record limit would
// lose its tail.
template <typename Change>
bool RewriteStore(const QueryStore& store, Change change) {
  const std::string path = ResolvedStorePath(store.path);
  StoreLock lock(path + ".lock", StoreLock::Kind::kExclusive, store.lockWait, LockFileMode(path));
  if (!lock.held()) return false;
  std::optional<std::vector<QueryRecord>> records = ReadRecords(path);
  if (!records || records->size() > kMaxStoreRecords) return false;
  change(*records);
  return ReplaceFileAtomically(path, EncodeQueryRecords(*records));
}

bool Matches(const QueryRecord& record, std::string_view name) {
  return !name.empty() && record.name == name;
}

}  // namespace

std::string StoreDirectory(std::string_view storeMode, const std::string& homeDirectory) {
  return storeMode == kStoreModeShared ? std::string() : homeDirectory;
}

QueryStore QueryStoreFor(std::string_view storeMode, const std::string& homeDirectory) {
  return QueryStore{StoreDirectory(storeMode, homeDirectory) + std::string(kQueryStoreFileName)};
}

QueryStore QueryStoreFor(const AppState& state) {
  return QueryStoreFor(state.storeMode, state.homeDirectory);
}

void ToggleStoreMode(AppState& state) {
  state.storeMode = std::string(state.storeMode == kStoreModeShared ? kStoreModeLocal : kStoreModeShared);
}

std::vector<std::string> ListQueryNames(const QueryStore& store) {
  std::vector<QueryRecord> records = ReadForLookup(store);
  std::vector<std::string> names;
  const std::size_t count = std::min(records.size(), kMaxListedNames);
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) names.push_back(std::move(records[i].name));
  SortQueryNames(names);
  return names;
}

bool SaveQuery(const QueryStore& store, std::string_view name, std::string_view sqlText,
               std::string_view user) {
  const QueryRecord fresh{std::string(name), std::string(sqlText), std::string(user)};
  return RewriteStore(store, [&](std::vector<QueryRecord>& records) {
    bool matched = false;
    for (QueryRecord& record : records) {
      if (!Matches(record, name)) continue;
      record = fresh;
      matched = true;
    }
    if (!matched) records.push_back(fresh);
  });
}

std::optional<std::string> LoadQuery(const QueryStore& store, std::string_view name) {
  for (QueryRecord& record : ReadForLookup(store))
    if (Matches(record, name)) return std::move(record.sqlText);
  return std::nullopt;
}

bool DeleteQuery(const QueryStore& store, std::string_view name) {
  return RewriteStore(store, [&](std::vector<QueryRecord>& records) {
    std::erase_if(records, [&](const QueryRecord& record) { return Matches(record, name); });
  });
}

}  // namespace zuno
